// Binary reading and writing of the data file's values: 4-byte little-endian integers and
// UTF-16LE text lines ended by U+000A. The archive works on bytes in memory; the document
// moves them to and from the disk in one piece.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

class CArchive {
public:
    enum Mode { store, load };

    // Loading reads `buffer` from its start; storing appends to it.
    CArchive(QByteArray& buffer, Mode mode) : m_buffer(buffer), m_mode(mode) {}
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_mode == store; }

    CArchive& operator<<(std::int32_t value);
    CArchive& operator<<(std::uint32_t value);
    // Throws CArchiveException when fewer than 4 bytes are left; nothing is consumed then.
    CArchive& operator>>(std::int32_t& value);
    CArchive& operator>>(std::uint32_t& value);

    // Writes the text's UTF-16LE code units, then U+000A.
    void WriteString(const QString& text);
    // No text of an event comes near this many characters; a longer one is damage.
    static constexpr qsizetype kMaxTextLength = 1024 * 1024;

    // Reads up to U+000A (dropped, with a U+000D right before it). The end of the data ends a
    // line quietly. Returns false when nothing at all was left to read. Throws
    // CArchiveException, before building any text, for one longer than kMaxTextLength.
    bool ReadString(QString& text);

    // Bytes not yet read.
    qsizetype Remaining() const { return m_buffer.size() - m_position; }

private:
    CArchive& operator<<(char16_t unit);

    QByteArray& m_buffer;
    Mode m_mode;
    qsizetype m_position = 0;
};
