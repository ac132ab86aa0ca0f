// Tones as sine waves played on the PulseAudio server, one connection per tone.
#pragma once

#include "platform/tone.h"

class PulseTone : public ITone {
public:
    // Blocks until the tone has been played out, or drops what is still queued and returns
    // before the next 20 ms piece once `stop` is requested, also while connecting. A server
    // that does not answer, or stops taking sound, is given up after 2 s. Each call opens its
    // own connection, so tones from several threads overlap freely.
    void Beep(std::uint32_t frequencyHz, std::uint32_t durationMs, std::stop_token stop) override;
};
