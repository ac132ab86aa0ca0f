// The message a second start sends to the running instance: a fixed 16-byte frame, so a
// reader knows at once whether it has all of it, and versioned, so a later program can tell
// an older sender apart.
#pragma once

#include <QByteArray>
#include <optional>

namespace InstanceMessage {

inline constexpr qsizetype kFrameSize = 16;
inline constexpr quint32 kVersion = 1;
// What the running instance answers once it has taken the command.
inline constexpr char kAcknowledge = '\x06';

// "TWIN", version, payload size (4), the command; integers 4 bytes little-endian.
QByteArray Encode(int command);
// The command of a complete frame; nullopt for a frame of the wrong size, magic, version or
// payload size.
std::optional<int> Decode(const QByteArray& frame);

} // namespace InstanceMessage
