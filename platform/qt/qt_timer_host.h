// Window-style timers keyed by number, on Qt's own timers of one object.
#pragma once

#include "platform/timer_host.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <unordered_map>

class QtTimerHost : public QObject, public ITimerHost {
    Q_OBJECT
public:
    // `onTick` runs on this object's thread with the id of each timer that fires.
    explicit QtTimerHost(std::function<void(std::uintptr_t)> onTick, QObject* parent = nullptr);

    bool SetTimer(std::uintptr_t id, std::uint32_t periodMs) override;
    void KillTimer(std::uintptr_t id) override;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    std::function<void(std::uintptr_t)> m_onTick;
    // Bare QObject timers, not a QTimer each: a thousand rows cost two map entries apiece.
    std::unordered_map<std::uintptr_t, int> m_qtIdById;
    std::unordered_map<int, std::uintptr_t> m_idByQtId;
};
