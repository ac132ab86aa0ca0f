#include "win_tone.h"

#include "win32_calls.h"

#include <algorithm>

namespace {

// Long enough that the joins between pieces are not heard as clicks on most sound cards,
// short enough that closing the program never waits long for a tone.
constexpr std::uint32_t kPieceMs = 200;

} // namespace

void WinTone::Beep(std::uint32_t frequencyHz, std::uint32_t durationMs, std::stop_token stop) {
    if (frequencyHz == 0)
        return;
    for (std::uint32_t done = 0; done < durationMs && !stop.stop_requested();) {
        const std::uint32_t piece = std::min(kPieceMs, durationMs - done);
        if (!win32::SoundBeep(frequencyHz, piece))
            return;
        done += piece;
    }
}
