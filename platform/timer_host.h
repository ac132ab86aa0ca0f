// Periodic timers keyed by a number, as the detection rows use them.
#pragma once

#include <cstdint>

// Periods below 10 ms run at 10 ms; above 2,147,483,647 ms at that value.
constexpr int ClampTimerPeriod(std::uint32_t periodMs) {
    if (periodMs < 10u)
        return 10;
    if (periodMs > 2147483647u)
        return 2147483647;
    return static_cast<int>(periodMs);
}

class ITimerHost {
public:
    virtual ~ITimerHost() = default;
    // Starts timer `id`, replacing (and restarting) one already running under that id. The
    // period is clamped by ClampTimerPeriod. Returns false when no timer could be made.
    virtual bool SetTimer(std::uintptr_t id, std::uint32_t periodMs) = 0;
    // Stops timer `id`; harmless when none runs.
    virtual void KillTimer(std::uintptr_t id) = 0;
};
