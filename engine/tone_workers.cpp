#include "tone_workers.h"

#include "platform/tone.h"

#include <system_error>
#include <thread>

bool ToneWorkers::Start(std::uint32_t frequencyHz, std::uint32_t durationMs) {
    if (m_state->sounding.fetch_add(1) >= kMaxSounding) {
        m_state->sounding.fetch_sub(1);
        return false;
    }
    try {
        std::thread([tone = m_tone, state = m_state, frequencyHz, durationMs] {
            tone->Beep(frequencyHz, durationMs, state->stop.get_token());
            state->sounding.fetch_sub(1);
        }).detach();
    } catch (const std::system_error&) {
        m_state->sounding.fetch_sub(1);
        return false;
    }
    return true;
}
