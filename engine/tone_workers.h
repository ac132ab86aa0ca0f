// Threads that each sound one tone, so the UI thread never waits for a tone, not even when
// this object goes: then every tone still sounding is asked to stop, and its thread ends on
// its own, keeping the tone service alive until it has.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <stop_token>

class ITone;

class ToneWorkers {
public:
    // At most this many tones sound at once; a request beyond it sounds nothing.
    static constexpr int kMaxSounding = 16;

    explicit ToneWorkers(std::shared_ptr<ITone> tone)
        : m_tone(std::move(tone)), m_state(std::make_shared<State>()) {}
    ~ToneWorkers() { m_state->stop.request_stop(); }
    ToneWorkers(const ToneWorkers&) = delete;
    ToneWorkers& operator=(const ToneWorkers&) = delete;

    // Starts a worker that calls Beep(frequency, duration) with these values and ends.
    // Returns false, starting nothing, when the cap is reached or no thread can start.
    bool Start(std::uint32_t frequencyHz, std::uint32_t durationMs);

    int Sounding() const { return m_state->sounding.load(); }

private:
    // Shared with the workers, which may outlive this object.
    struct State {
        std::atomic<int> sounding{0};
        std::stop_source stop;
    };
    std::shared_ptr<ITone> m_tone;
    std::shared_ptr<State> m_state;
};
