// Tones from the system's Beep, which Windows plays on the sound card.
#pragma once

#include "platform/tone.h"

class WinTone : public ITone {
public:
    // Beep cannot be cut short, so the tone is sounded in pieces and a stop request is seen
    // between two of them.
    void Beep(std::uint32_t frequencyHz, std::uint32_t durationMs, std::stop_token stop) override;
};
