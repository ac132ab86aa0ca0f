#include "tone_workers.h"

#include "platform/tone.h"

#include <system_error>
#include <thread>

bool ToneWorkers::Start(std::uint32_t frequencyHz, std::uint32_t durationMs) {
    if (m_sounding->fetch_add(1) >= kMaxSounding) {
        m_sounding->fetch_sub(1);
        return false;
    }
    try {
        std::thread([&tone = m_tone, sounding = m_sounding, frequencyHz, durationMs] {
            tone.Beep(frequencyHz, durationMs);
            sounding->fetch_sub(1);
        }).detach();
    } catch (const std::system_error&) {
        m_sounding->fetch_sub(1);
        return false;
    }
    return true;
}
