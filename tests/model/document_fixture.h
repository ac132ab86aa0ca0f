// What the document tests share: a list of rows in memory, distinct events, raw file bytes
// built without the archive, and a document wired to fakes.
#pragma once

#include "fakes/fake_platform.h"
#include "model/archive.h"
#include "model/event_rows.h"
#include "model/tintwatch_doc.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

class RowsInMemory : public IEventRows {
public:
    void Add(const CEventInfo& event) { m_rows.push_back(std::make_unique<CEventInfo>(event)); }
    int GetItemCount() const override { return static_cast<int>(m_rows.size()); }
    CEventInfo* GetItemData(int row) const override { return m_rows.at(row).get(); }

private:
    std::vector<std::unique_ptr<CEventInfo>> m_rows;
};

// An event whose every stored field depends on `seed`, so that two seeds never look alike.
inline CEventInfo NumberedEvent(int seed, int commentLength = 8) {
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
    event.m_sFilePath = QStringLiteral("/opt/app %1/r\u00e9sum\u00e9").arg(seed);
    event.m_sComment = QString(commentLength, QChar(u'a' + seed % 26));
    return event;
}

inline void ExpectSameStoredFields(const CEventInfo& a, const CEventInfo& b) {
    EXPECT_EQ(a.m_ptLocation, b.m_ptLocation);
    EXPECT_EQ(a.m_clrMatch, b.m_clrMatch);
    EXPECT_EQ(a.m_clrTarget, b.m_clrTarget);
    EXPECT_EQ(a.m_bOnlySpecificColor, b.m_bOnlySpecificColor);
    EXPECT_EQ(a.m_nInterval, b.m_nInterval);
    EXPECT_EQ(a.m_nMaxCount, b.m_nMaxCount);
    EXPECT_EQ(a.m_nDetectCount, b.m_nDetectCount);
    EXPECT_EQ(a.m_bEnabled, b.m_bEnabled);
    EXPECT_EQ(a.m_bAudioAlert, b.m_bAudioAlert);
    EXPECT_EQ(a.m_nFrequency, b.m_nFrequency);
    EXPECT_EQ(a.m_nDuration, b.m_nDuration);
    EXPECT_EQ(a.m_bExecute, b.m_bExecute);
    EXPECT_EQ(a.m_sCommand, b.m_sCommand);
    EXPECT_EQ(a.m_sFilePath, b.m_sFilePath);
    EXPECT_EQ(a.m_sComment, b.m_sComment);
}

// Little-endian 32-bit words written byte by byte, independent of the archive.
inline QByteArray Words(std::initializer_list<std::int64_t> words) {
    QByteArray bytes;
    for (std::int64_t word : words) {
        const auto value = static_cast<std::uint32_t>(word);
        for (int shift = 0; shift < 32; shift += 8)
            bytes.append(static_cast<char>((value >> shift) & 0xFF));
    }
    return bytes;
}

// A record in the archive's layout, as the event writes it.
inline QByteArray RecordBytes(CEventInfo event) {
    QByteArray bytes;
    CArchive ar(bytes, CArchive::store);
    event.Serialize(ar);
    return bytes;
}

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline const QString kExceptionLoadingText = QStringLiteral(
    "There was an Exception Loading the Script File, seems like something went wrong with the "
    "software.\n\nThere are really good chances that if you create a new script, it would work "
    "fine.");

// A document over fakes, and a folder of its own for the files a test writes.
class DocumentTest : public ::testing::Test {
protected:
    QString FilePath() const { return m_folder.filePath(QStringLiteral("Tintwatchv7.1.dat")); }
    QString BadPath() const { return FilePath() + QStringLiteral(".bad"); }
    QStringList FolderEntries() const {
        return QDir(m_folder.path()).entryList(QDir::Files | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_folder;
    FakePlatform m_platform;
    CTintwatchDoc m_doc{m_platform.screen, m_platform.messageBox};
};
