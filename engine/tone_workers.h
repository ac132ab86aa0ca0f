// Threads that each sound one tone, so the UI thread never waits for a tone. They belong to
// this object: when it goes, every tone still sounding is cut short and its thread joined.
#pragma once

#include <atomic>
#include <cstdint>
#include <list>
#include <thread>

class ITone;

class ToneWorkers {
public:
    // At most this many tones sound at once; a request beyond it sounds nothing.
    static constexpr int kMaxSounding = 16;

    // `tone` must outlive this object.
    explicit ToneWorkers(ITone& tone) : m_tone(tone) {}
    ToneWorkers(const ToneWorkers&) = delete;
    ToneWorkers& operator=(const ToneWorkers&) = delete;

    // Starts a worker that calls Beep(frequency, duration) with these values and ends.
    // Returns false, starting nothing, when the cap is reached or no thread can start.
    bool Start(std::uint32_t frequencyHz, std::uint32_t durationMs);

    int Sounding() const { return m_sounding.load(); }

private:
    struct Worker {
        std::atomic<bool> finished{false};
        std::jthread thread; // asks its tone to stop and joins it when destroyed
    };
    // Joins the workers whose tone has ended, so that the list stays as short as the cap.
    void JoinFinished();

    ITone& m_tone;
    std::atomic<int> m_sounding{0};
    // Last, so that it goes first: the workers are joined while the counter still exists.
    std::list<Worker> m_workers;
};
