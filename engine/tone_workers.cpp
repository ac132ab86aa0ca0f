#include "tone_workers.h"

#include "platform/tone.h"

#include <system_error>

bool ToneWorkers::Start(std::uint32_t frequencyHz, std::uint32_t durationMs) {
    JoinFinished();
    if (m_sounding.fetch_add(1) >= kMaxSounding) {
        m_sounding.fetch_sub(1);
        return false;
    }
    Worker& worker = m_workers.emplace_back();
    try {
        worker.thread =
            std::jthread([this, &worker, frequencyHz, durationMs](std::stop_token stop) {
                m_tone.Beep(frequencyHz, durationMs, stop);
                m_sounding.fetch_sub(1);
                worker.finished.store(true);
            });
    } catch (const std::system_error&) {
        m_workers.pop_back();
        m_sounding.fetch_sub(1);
        return false;
    }
    return true;
}

void ToneWorkers::JoinFinished() {
    m_workers.remove_if([](const Worker& worker) { return worker.finished.load(); });
}
