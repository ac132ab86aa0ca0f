#include "records.h"

#include "model/archive.h"
#include "model/exceptions.h"

#include <gtest/gtest.h>

#include <tuple>

CEventInfo WatchingEvent(const QString& file) {
    CEventInfo event;
    event.m_ptLocation = kWatchedArea.topLeft() + QPoint(40, 40);
    event.m_clrMatch = RGB(0x20, 0x40, 0xc0);
    event.m_bOnlySpecificColor = event.m_bAudioAlert = 0;
    event.m_nMaxCount = 3;
    event.m_nInterval = 300;
    event.m_sFilePath = file;
    return event;
}

CEventInfo NumberedEvent(int seed, int commentLength) {
    CEventInfo event;
    event.m_ptLocation = QPoint(seed * 3 - 7, -seed);
    event.m_clrMatch = RGB(seed, seed * 2, seed * 5);
    event.m_clrTarget = RGB(255 - seed, seed, 3);
    event.m_bOnlySpecificColor = seed % 3;
    event.m_nInterval = 10 + seed;
    event.m_nMaxCount = seed * 11;
    event.m_nDetectCount = seed * 7;
    event.m_bEnabled = seed % 2;
    event.m_bAudioAlert = (seed + 1) % 2;
    event.m_nFrequency = 37u + static_cast<std::uint32_t>(seed);
    event.m_nDuration = 100u * static_cast<std::uint32_t>(seed);
    event.m_bExecute = seed % 2;
    event.m_sCommand = QStringLiteral("verb%1").arg(seed);
    event.m_sFilePath = QStringLiteral("/opt/app %1/r\u00e9sum\u00e9 \U0001F600").arg(seed);
    event.m_sComment = QString(commentLength, QChar(u'a' + seed % 26));
    return event;
}

void ExpectSameStoredFields(const CEventInfo& a, const CEventInfo& b) {
    const auto stored = [](const CEventInfo& e) {
        return std::tuple(e.m_ptLocation, e.m_clrMatch, e.m_clrTarget, e.m_bOnlySpecificColor,
                          e.m_nInterval, e.m_nMaxCount, e.m_nDetectCount, e.m_bEnabled,
                          e.m_bAudioAlert, e.m_nFrequency, e.m_nDuration, e.m_bExecute,
                          e.m_sCommand, e.m_sFilePath, e.m_sComment);
    };
    EXPECT_EQ(stored(a), stored(b));
}

QByteArray Words(std::initializer_list<std::int64_t> words) {
    QByteArray bytes;
    for (std::int64_t word : words) {
        const auto value = static_cast<std::uint32_t>(word);
        for (int shift = 0; shift < 32; shift += 8)
            bytes.append(static_cast<char>((value >> shift) & 0xFF));
    }
    return bytes;
}

QByteArray RecordBytes(CEventInfo event) {
    QByteArray bytes;
    CArchive ar(bytes, CArchive::store);
    event.Serialize(ar);
    return bytes;
}

QByteArray DataFileBytes(const std::vector<CEventInfo>& events) {
    QByteArray bytes = Words({786, 1280, 1024, static_cast<std::int64_t>(events.size())});
    for (const CEventInfo& event : events)
        bytes += RecordBytes(event);
    return bytes;
}

std::optional<std::vector<CEventInfo>> EventsOf(const QByteArray& bytes) {
    QByteArray copy = bytes;
    CArchive ar(copy, CArchive::load);
    try {
        std::int32_t version = 0, width = 0, height = 0, count = 0;
        ar >> version >> width >> height >> count;
        std::vector<CEventInfo> events(static_cast<std::size_t>(std::max(count, 0)));
        for (CEventInfo& event : events)
            event.Serialize(ar);
        return events;
    } catch (const CException&) {
        return std::nullopt;
    }
}
