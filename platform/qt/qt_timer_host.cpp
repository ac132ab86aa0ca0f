#include "qt_timer_host.h"

#include <QTimerEvent>

QtTimerHost::QtTimerHost(std::function<void(std::uintptr_t)> onTick, QObject* parent)
    : QObject(parent), m_onTick(std::move(onTick)) {}

bool QtTimerHost::SetTimer(std::uintptr_t id, std::uint32_t periodMs) {
    KillTimer(id);
    // Coarse: the detection intervals are hundreds of milliseconds and allow slack, and
    // letting Qt align the wake-ups keeps a thousand watched points cheap.
    const int qtId = startTimer(ClampTimerPeriod(periodMs), Qt::CoarseTimer);
    if (qtId == 0)
        return false;
    m_qtIdById[id] = qtId;
    m_idByQtId[qtId] = id;
    return true;
}

void QtTimerHost::KillTimer(std::uintptr_t id) {
    const auto it = m_qtIdById.find(id);
    if (it == m_qtIdById.end())
        return;
    killTimer(it->second);
    m_idByQtId.erase(it->second);
    m_qtIdById.erase(it);
}

void QtTimerHost::timerEvent(QTimerEvent* event) {
    const auto it = m_idByQtId.find(event->timerId());
    if (it == m_idByQtId.end()) {
        QObject::timerEvent(event);
        return;
    }
    // Copied: the handler may kill or replace this very timer.
    const std::uintptr_t id = it->second;
    if (m_onTick)
        m_onTick(id);
}
