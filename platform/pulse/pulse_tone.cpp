#include "pulse_tone.h"

#include "pulse_server.h"

#include <pulse/simple.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>

namespace {

constexpr std::uint32_t kSampleRate = 48000;
// Written 20 ms at a time: memory stays small whatever the duration.
constexpr std::uint32_t kChunkFrames = kSampleRate / 50;
// Short ramps at both ends keep the tone from clicking.
constexpr std::uint64_t kRampFrames = kSampleRate / 200;
constexpr double kAmplitude = 0.3 * 32767.0;
// A small server buffer, so the drain ends close to the tone's end.
constexpr std::uint32_t kTargetBufferBytes = kSampleRate / 20 * sizeof(std::int16_t);

struct SimpleFree {
    void operator()(pa_simple* stream) const { pa_simple_free(stream); }
};
using SimpleStream = std::unique_ptr<pa_simple, SimpleFree>;

SimpleStream Connect(const std::string& server) {
    const pa_sample_spec format{PA_SAMPLE_S16NE, kSampleRate, 1};
    pa_buffer_attr buffer{};
    buffer.maxlength = static_cast<std::uint32_t>(-1);
    buffer.tlength = kTargetBufferBytes;
    buffer.prebuf = static_cast<std::uint32_t>(-1);
    buffer.minreq = static_cast<std::uint32_t>(-1);
    buffer.fragsize = static_cast<std::uint32_t>(-1);
    int error = 0;
    return SimpleStream(pa_simple_new(server.c_str(), "Tintwatch", PA_STREAM_PLAYBACK, nullptr,
                                      "Tone", &format, nullptr, &buffer, &error));
}

double Envelope(std::uint64_t frame, std::uint64_t totalFrames) {
    const std::uint64_t fromEdge = std::min(frame, totalFrames - 1 - frame);
    return fromEdge >= kRampFrames
               ? 1.0
               : static_cast<double>(fromEdge) / static_cast<double>(kRampFrames);
}

} // namespace

void PulseTone::Beep(std::uint32_t frequencyHz, std::uint32_t durationMs, std::stop_token stop) {
    if (frequencyHz == 0 || durationMs == 0)
        return;
    const std::string server = FindPulseServer();
    if (server.empty())
        return;
    const SimpleStream stream = Connect(server);
    if (!stream)
        return;

    const std::uint64_t totalFrames = std::uint64_t{durationMs} * kSampleRate / 1000u;
    const double step = 2.0 * std::numbers::pi * frequencyHz / kSampleRate;
    std::array<std::int16_t, kChunkFrames> chunk{};
    for (std::uint64_t done = 0; done < totalFrames;) {
        if (stop.stop_requested()) {
            // Silence now rather than after the server's buffer has played out.
            int error = 0;
            pa_simple_flush(stream.get(), &error);
            return;
        }
        const auto count =
            static_cast<std::size_t>(std::min<std::uint64_t>(kChunkFrames, totalFrames - done));
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint64_t frame = done + i;
            // Phase from the frame number, so rounding never accumulates over a long tone.
            const double phase =
                std::fmod(step * static_cast<double>(frame), 2.0 * std::numbers::pi);
            chunk[i] = static_cast<std::int16_t>(kAmplitude * Envelope(frame, totalFrames) *
                                                 std::sin(phase));
        }
        int error = 0;
        if (pa_simple_write(stream.get(), chunk.data(), count * sizeof(std::int16_t), &error) < 0)
            return;
        done += count;
    }
    int error = 0;
    pa_simple_drain(stream.get(), &error);
}
