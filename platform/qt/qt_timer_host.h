// Window-style timers keyed by number, on Qt's own timers of one object. Ticks are handed over
// in groups, so that their owner can serve a group with one read of the screen.
#pragma once

#include "platform/timer_host.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <span>
#include <unordered_map>
#include <vector>

class QtTimerHost : public QObject, public ITimerHost {
    Q_OBJECT
public:
    // Receives the ids of the timers that came due together, in the order they fired, each
    // once; called on this object's thread kGatherMs after the first of them fired.
    using OnTicks = std::function<void(std::span<const std::uintptr_t> ids)>;
    // Qt fires precise timers that are due within the same millisecond in several passes of
    // its loop; waiting this long gathers them into one group: with a thousand timers at 10 ms,
    // a few hundred groups a second instead of up to five thousand (bench/bench_ticking.cpp).
    static constexpr int kGatherMs = 1;

    explicit QtTimerHost(OnTicks onTicks, QObject* parent = nullptr);

    bool SetTimer(std::uintptr_t id, std::uint32_t periodMs) override;
    void KillTimer(std::uintptr_t id) override;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void HandOver();

    struct Timer {
        std::uintptr_t id;
        std::uint64_t dueInPass; // the hand-over that has it already, so it is queued once
    };

    OnTicks m_onTicks;
    // Bare QObject timers, not a QTimer each: a thousand rows cost two map entries apiece.
    std::unordered_map<std::uintptr_t, int> m_qtIdById;
    std::unordered_map<int, Timer> m_timerByQtId;
    // Ids due since the last hand-over, and a spare buffer, so that a pass allocates nothing.
    std::vector<std::uintptr_t> m_due, m_spare;
    std::uint64_t m_nPass = 1;
    QTimer m_handOver; // running: ids are due and wait for the hand-over
};
