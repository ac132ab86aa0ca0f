#include "qt_timer_host.h"

#include <QTimerEvent>

#include <algorithm>
#include <utility>

QtTimerHost::QtTimerHost(OnTicks onTicks, QObject* parent)
    : QObject(parent), m_onTicks(std::move(onTicks)) {
    m_handOver.setSingleShot(true);
    m_handOver.setTimerType(Qt::PreciseTimer);
    m_handOver.setInterval(kGatherMs);
    connect(&m_handOver, &QTimer::timeout, this, &QtTimerHost::HandOver);
}

bool QtTimerHost::SetTimer(std::uintptr_t id, std::uint32_t periodMs) {
    KillTimer(id);
    // Coarse: Qt moves a period above 20 ms by up to 5 % to wake with other timers, so that
    // many share one wake-up and one read of the screen; shorter periods stay precise.
    const int qtId = startTimer(ClampTimerPeriod(periodMs), Qt::CoarseTimer);
    if (qtId == 0)
        return false;
    m_qtIdById[id] = qtId;
    m_timerByQtId[qtId] = Timer{id, 0};
    return true;
}

void QtTimerHost::KillTimer(std::uintptr_t id) {
    const auto it = m_qtIdById.find(id);
    if (it == m_qtIdById.end())
        return;
    killTimer(it->second);
    // A tick that fired but is not handed over yet goes with its timer.
    const auto timer = m_timerByQtId.find(it->second);
    if (timer != m_timerByQtId.end() && timer->second.dueInPass == m_nPass)
        std::erase(m_due, id);
    m_timerByQtId.erase(it->second);
    m_qtIdById.erase(it);
}

void QtTimerHost::timerEvent(QTimerEvent* event) {
    const auto it = m_timerByQtId.find(event->timerId());
    if (it == m_timerByQtId.end()) {
        QObject::timerEvent(event);
        return;
    }
    // A timer that fired again before the hand-over is still one tick, as a window timer's
    // message is never queued twice.
    if (it->second.dueInPass == m_nPass)
        return;
    it->second.dueInPass = m_nPass;
    m_due.push_back(it->second.id);
    if (!m_handOver.isActive())
        m_handOver.start();
}

void QtTimerHost::HandOver() {
    ++m_nPass;
    // Taken out first: the owner may run a nested event loop (a message box), in which new
    // ticks queue for a hand-over of their own.
    std::vector<std::uintptr_t> due = std::exchange(m_due, std::move(m_spare));
    if (m_onTicks && !due.empty())
        m_onTicks(due);
    due.clear();
    m_spare = std::move(due);
}
