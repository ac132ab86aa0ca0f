// Short-lived threads that each sound one tone, so the UI thread never waits for a tone.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

class ITone;

class ToneWorkers {
public:
    // At most this many tones sound at once; a request beyond it sounds nothing.
    static constexpr int kMaxSounding = 16;

    explicit ToneWorkers(ITone& tone) : m_tone(tone) {}

    // Starts a detached worker that calls Beep(frequency, duration) with these values and
    // ends. Returns false, starting nothing, when the cap is reached or no thread can start.
    bool Start(std::uint32_t frequencyHz, std::uint32_t durationMs);

    int Sounding() const { return m_sounding->load(); }

private:
    ITone& m_tone;
    // Shared with the workers, which may outlive this object.
    std::shared_ptr<std::atomic<int>> m_sounding = std::make_shared<std::atomic<int>>(0);
};
