#include "instance_message.h"

#include <QtEndian>

namespace InstanceMessage {
namespace {

constexpr char kMagic[4] = {'T', 'W', 'I', 'N'};
constexpr quint32 kPayloadSize = 4;

void Append(QByteArray& bytes, quint32 value) {
    char le[4];
    qToLittleEndian(value, le);
    bytes.append(le, 4);
}

quint32 Word(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

} // namespace

QByteArray Encode(int command) {
    QByteArray bytes(kMagic, 4);
    Append(bytes, kVersion);
    Append(bytes, kPayloadSize);
    Append(bytes, static_cast<quint32>(command));
    return bytes;
}

std::optional<int> Decode(const QByteArray& frame) {
    if (frame.size() != kFrameSize || !frame.startsWith(QByteArray(kMagic, 4)) ||
        Word(frame, 4) != kVersion || Word(frame, 8) != kPayloadSize)
        return std::nullopt;
    return static_cast<int>(Word(frame, 12));
}

} // namespace InstanceMessage
