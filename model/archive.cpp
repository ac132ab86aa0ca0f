#include "archive.h"

#include "exceptions.h"

#include <QtEndian>

CArchive& CArchive::operator<<(std::int32_t value) {
    return *this << static_cast<std::uint32_t>(value);
}

CArchive& CArchive::operator<<(std::uint32_t value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    m_buffer.append(bytes, 4);
    return *this;
}

CArchive& CArchive::operator>>(std::int32_t& value) {
    std::uint32_t word = 0;
    *this >> word;
    value = static_cast<std::int32_t>(word);
    return *this;
}

CArchive& CArchive::operator>>(std::uint32_t& value) {
    if (Remaining() < 4)
        throw CArchiveException();
    value = qFromLittleEndian<std::uint32_t>(m_buffer.constData() + m_position);
    m_position += 4;
    return *this;
}

void CArchive::WriteString(const QString& text) {
    m_buffer.reserve(m_buffer.size() + (text.size() + 1) * 2);
    for (const QChar unit : text)
        *this << unit.unicode();
    *this << u'\n';
}

CArchive& CArchive::operator<<(char16_t unit) {
    const char bytes[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    m_buffer.append(bytes, 2);
    return *this;
}

bool CArchive::ReadString(QString& text) {
    text.clear();
    if (Remaining() < 2)
        return false;
    const char* data = m_buffer.constData();
    qsizetype end = m_position;
    // Find the line end first so the text is built in one allocation, and only once it is
    // known to be of a sane length.
    const qsizetype limit = m_position + 2 * (kMaxTextLength + 1);
    while (end < limit && m_buffer.size() - end >= 2 &&
           qFromLittleEndian<char16_t>(data + end) != u'\n')
        end += 2;
    const qsizetype units = (end - m_position) / 2;
    if (units > kMaxTextLength)
        throw CArchiveException();
    text.resize(units);
    for (qsizetype i = 0; i < units; ++i)
        text[i] = QChar(qFromLittleEndian<char16_t>(data + m_position + 2 * i));
    const bool ended = m_buffer.size() - end >= 2;
    m_position = ended ? end + 2 : m_buffer.size();
    if (ended && text.endsWith(u'\r'))
        text.chop(1);
    return true;
}
