#include "pulse_tone.h"

#include "pulse_server.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <numbers>

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kSampleRate = 48000;
// Written 20 ms at a time: memory stays small whatever the duration.
constexpr std::uint32_t kChunkFrames = kSampleRate / 50;
// Short ramps at both ends keep the tone from clicking.
constexpr std::uint64_t kRampFrames = kSampleRate / 200;
constexpr double kAmplitude = 0.3 * 32767.0;
// A small server buffer, so the drain ends close to the tone's end.
constexpr std::uint32_t kTargetBufferBytes = kSampleRate / 20 * sizeof(std::int16_t);
// The loop never sleeps longer than this, so a stop is seen within one piece.
constexpr int kPieceMicroseconds = 20000;
// A server that accepts and never answers, or stops taking sound, is given up after this.
constexpr auto kServerPatience = std::chrono::seconds(2);

struct LoopFree {
    void operator()(pa_mainloop* loop) const { pa_mainloop_free(loop); }
};
struct ContextFree {
    void operator()(pa_context* context) const {
        pa_context_disconnect(context);
        pa_context_unref(context);
    }
};
struct StreamFree {
    void operator()(pa_stream* stream) const {
        pa_stream_disconnect(stream);
        pa_stream_unref(stream);
    }
};

// One connection's main loop, run on the calling thread a piece at a time.
class Session {
public:
    explicit Session(std::stop_token stop) : m_stop(std::move(stop)) {}

    bool Usable() const { return m_loop != nullptr; }
    pa_mainloop_api* Api() const { return pa_mainloop_get_api(m_loop.get()); }

    // Runs the loop until `done` holds; false when `failed` holds first, the stop is asked
    // for or `deadline` passes.
    bool RunUntil(const std::function<bool()>& done, const std::function<bool()>& failed,
                  Clock::time_point deadline) {
        while (!done()) {
            if (failed() || m_stop.stop_requested() || Clock::now() > deadline)
                return false;
            pa_mainloop* loop = m_loop.get();
            if (pa_mainloop_prepare(loop, kPieceMicroseconds) < 0 || pa_mainloop_poll(loop) < 0 ||
                pa_mainloop_dispatch(loop) < 0)
                return false;
        }
        return true;
    }

private:
    std::unique_ptr<pa_mainloop, LoopFree> m_loop{pa_mainloop_new()};
    std::stop_token m_stop;
};

bool Connected(Session& session, pa_context* context, const std::string& server) {
    if (pa_context_connect(context, server.c_str(), PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        return false;
    return session.RunUntil(
        [context] { return pa_context_get_state(context) == PA_CONTEXT_READY; },
        [context] { return !PA_CONTEXT_IS_GOOD(pa_context_get_state(context)); },
        Clock::now() + kServerPatience);
}

std::unique_ptr<pa_stream, StreamFree> OpenStream(Session& session, pa_context* context) {
    const pa_sample_spec format{PA_SAMPLE_S16NE, kSampleRate, 1};
    std::unique_ptr<pa_stream, StreamFree> stream(pa_stream_new(context, "Tone", &format, nullptr));
    if (!stream)
        return nullptr;
    pa_buffer_attr buffer{};
    buffer.maxlength = static_cast<std::uint32_t>(-1);
    buffer.tlength = kTargetBufferBytes;
    buffer.prebuf = static_cast<std::uint32_t>(-1);
    buffer.minreq = static_cast<std::uint32_t>(-1);
    buffer.fragsize = static_cast<std::uint32_t>(-1);
    pa_stream* s = stream.get();
    if (pa_stream_connect_playback(s, nullptr, &buffer, PA_STREAM_NOFLAGS, nullptr, nullptr) < 0 ||
        !session.RunUntil([s] { return pa_stream_get_state(s) == PA_STREAM_READY; },
                          [s] { return !PA_STREAM_IS_GOOD(pa_stream_get_state(s)); },
                          Clock::now() + kServerPatience))
        return nullptr;
    return stream;
}

double Envelope(std::uint64_t frame, std::uint64_t totalFrames) {
    const std::uint64_t fromEdge = std::min(frame, totalFrames - 1 - frame);
    return fromEdge >= kRampFrames
               ? 1.0
               : static_cast<double>(fromEdge) / static_cast<double>(kRampFrames);
}

// Waits for `operation` to end, then lets it go.
void Finish(Session& session, pa_operation* operation, Clock::time_point deadline) {
    if (!operation)
        return;
    session.RunUntil(
        [operation] { return pa_operation_get_state(operation) != PA_OPERATION_RUNNING; },
        [] { return false; }, deadline);
    pa_operation_unref(operation);
}

} // namespace

void PulseTone::Beep(std::uint32_t frequencyHz, std::uint32_t durationMs, std::stop_token stop) {
    if (frequencyHz == 0 || durationMs == 0)
        return;
    const std::string server = FindPulseServer();
    if (server.empty())
        return;
    Session session(std::move(stop));
    if (!session.Usable())
        return;
    const std::unique_ptr<pa_context, ContextFree> context(
        pa_context_new(session.Api(), "Tintwatch"));
    if (!context || !Connected(session, context.get(), server))
        return;
    const auto stream = OpenStream(session, context.get());
    if (!stream)
        return;
    pa_stream* s = stream.get();

    const std::uint64_t totalFrames = std::uint64_t{durationMs} * kSampleRate / 1000u;
    const Clock::time_point deadline =
        Clock::now() + std::chrono::milliseconds(durationMs) + kServerPatience;
    const double step = 2.0 * std::numbers::pi * frequencyHz / kSampleRate;
    std::array<std::int16_t, kChunkFrames> chunk{};
    for (std::uint64_t done = 0; done < totalFrames;) {
        if (!session.RunUntil([s] { return pa_stream_writable_size(s) >= sizeof chunk[0]; },
                              [s] { return pa_stream_get_state(s) != PA_STREAM_READY; }, deadline))
            return; // closing the stream silences what the server still holds

        const std::size_t room = pa_stream_writable_size(s) / sizeof chunk[0];
        const auto count = static_cast<std::size_t>(
            std::min<std::uint64_t>({kChunkFrames, room, totalFrames - done}));
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint64_t frame = done + i;
            // Phase from the frame number, so rounding never accumulates over a long tone.
            const double phase =
                std::fmod(step * static_cast<double>(frame), 2.0 * std::numbers::pi);
            chunk[i] = static_cast<std::int16_t>(kAmplitude * Envelope(frame, totalFrames) *
                                                 std::sin(phase));
        }
        if (pa_stream_write(s, chunk.data(), count * sizeof chunk[0], nullptr, 0,
                            PA_SEEK_RELATIVE) < 0)
            return;
        done += count;
    }
    Finish(session, pa_stream_drain(s, nullptr, nullptr), deadline);
}
