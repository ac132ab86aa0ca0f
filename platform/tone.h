// Audible tones.
#pragma once

#include <cstdint>
#include <stop_token>

class ITone {
public:
    virtual ~ITone() = default;
    // Sounds a sine tone and returns when it has ended, or within one short piece of the tone
    // (20 ms through a sound server, 200 ms through the Windows beeper) once `stop` is
    // requested. Returns at once, silently, without a sound server or when
    // frequency or duration is 0. Callable from any thread.
    virtual void Beep(std::uint32_t frequencyHz, std::uint32_t durationMs,
                      std::stop_token stop) = 0;
};
