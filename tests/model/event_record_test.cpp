// The event record's defaults, copy rule and byte layout in the archive; and where its data file
// lives.
#include "model/archive.h"
#include "model/data_file_path.h"
#include "model/exceptions.h"
#include "support/records.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray Utf16Line(const QString& text, const char* end = "\n") {
    QByteArray bytes;
    for (QChar unit : text + QString::fromLatin1(end))
        bytes.append(static_cast<char>(unit.unicode() & 0xFF))
            .append(static_cast<char>(unit.unicode() >> 8));
    return bytes;
}

CEventInfo Load(QByteArray bytes) {
    CEventInfo event;
    CArchive ar(bytes, CArchive::load);
    event.Serialize(ar);
    return event;
}

TEST(EventRecord, DefaultRecordStoresAsItsKnown82Bytes) {
    const QByteArray expected =
        Words({0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1000, 1, 1, 2000, 5000, 1}) +
        Utf16Line(QStringLiteral("Open")) + Utf16Line({}) + Utf16Line({});
    ASSERT_EQ(expected.size(), 82);
    EXPECT_EQ(RecordBytes(CEventInfo()), expected);
}

TEST(EventRecord, RoundTripAndCopyKeepEveryStoredFieldButNeverTheColourTextAndModeIsExact) {
    CEventInfo original = NumberedEvent(7);
    original.m_nFrequency = 4000000000u;
    original.m_sColorText = QStringLiteral("stale");

    ExpectSameStoredFields(Load(RecordBytes(original)), original);
    const CEventInfo copy(original);
    ExpectSameStoredFields(copy, original);
    EXPECT_TRUE(copy.m_sColorText.isEmpty());
    CEventInfo assigned;
    assigned.m_sColorText = QStringLiteral("kept");
    assigned = original;
    ExpectSameStoredFields(assigned, original);
    EXPECT_EQ(assigned.m_sColorText, QStringLiteral("kept"));
    for (int flag : {1, 0, 2, -1}) { // the mode is the target's for exactly 1
        assigned.m_bOnlySpecificColor = flag;
        EXPECT_EQ(assigned.IsTargetMode(), flag == 1) << flag;
    }
}

TEST(EventRecord, ColourWordsAreStoredAsChannelsAndLoadKeepsTheirLowBits) {
    CEventInfo event;
    event.m_clrMatch = RGB(0x12, 0x34, 0x56);
    EXPECT_EQ(RecordBytes(event).left(12), Words({0x12, 0x34, 0x56}));

    const CEventInfo loaded =
        Load(Words({300, 2, 3, 256 + 9, 0xFFFFFFFF, 0}) + RecordBytes(event).mid(24));
    EXPECT_EQ(loaded.m_clrMatch, RGB(44, 2, 3));
    EXPECT_EQ(loaded.m_clrTarget, RGB(9, 255, 0));
}

TEST(EventRecord, DataEndingInsideTheIntegersThrowsAndAfterThemGivesEmptyTexts) {
    const CEventInfo source = NumberedEvent(5);
    for (int cut : {0, 3, 24, 40, 67}) {
        QByteArray bytes = RecordBytes(source).left(cut);
        CEventInfo event;
        CArchive ar(bytes, CArchive::load);
        EXPECT_THROW(event.Serialize(ar), CArchiveException) << "cut at " << cut;
        if (cut == 40) { // what was read before the cut stays
            EXPECT_EQ(event.m_nMaxCount, source.m_nMaxCount);
            EXPECT_EQ(event.m_nDetectCount, 0);
        }
    }
    const CEventInfo loaded = Load(RecordBytes(source).left(68));
    EXPECT_EQ(loaded.m_nDuration, source.m_nDuration);
    EXPECT_EQ(loaded.m_bExecute, source.m_bExecute);
    EXPECT_TRUE(loaded.m_sCommand.isEmpty() && loaded.m_sFilePath.isEmpty() &&
                loaded.m_sComment.isEmpty());
}

TEST(EventRecord, TextLinesEndWithLfOrCrLfAndTheLastMayBeUnended) {
    for (const char* last : {"", "\r\n"}) { // the data's end: one unit unended, or after CR LF
        const CEventInfo loaded =
            Load(RecordBytes(CEventInfo()).left(68) + Utf16Line(QStringLiteral("Edit"), "\r\n") +
                 Utf16Line(QStringLiteral("a\rb")) + Utf16Line(QStringLiteral("t"), last));
        EXPECT_EQ(loaded.m_sCommand, QStringLiteral("Edit"));
        EXPECT_EQ(loaded.m_sFilePath, QStringLiteral("a\rb"));
        EXPECT_EQ(loaded.m_sComment, QStringLiteral("t")) << (*last ? "CR LF" : "unended");
    }
}

TEST(DataFilePath, LivesInTheDataHomeOrTheHomesLocalShareWithItsFolderCreatedAndCurrent) {
    QTemporaryDir root;
    const QString dataHome = root.filePath("not/yet/there"), inHome = root.filePath("home");
    const QByteArray saved = qgetenv("XDG_DATA_HOME"), plain = dataHome.toLocal8Bit(),
                     slash = plain + "/";
    qputenv("HOME", inHome.toLocal8Bit());
    // What XDG_DATA_HOME holds (unset when null), and the folder that gives.
    const std::pair<const char*, QString> cases[] = {
        {plain.constData(), dataHome},
        {slash.constData(), dataHome},
        {nullptr, inHome + "/.local/share"},
        {"", inHome + "/.local/share"},
        {"relative/data", inHome + "/.local/share"},
    };
    for (const auto& [value, folder] : cases) {
        if (value)
            qputenv("XDG_DATA_HOME", value);
        else
            qunsetenv("XDG_DATA_HOME");
        QString path = QStringLiteral("whatever was there");
        GetDataFilePath(path);
        EXPECT_EQ(path, folder + "/Tintwatch/Tintwatchv7.1.dat") << (value ? value : "unset");
        EXPECT_EQ(QFileInfo(QDir::currentPath()).canonicalFilePath(),
                  QFileInfo(folder + "/Tintwatch").canonicalFilePath());
    }
    qputenv("XDG_DATA_HOME", saved);
}

} // namespace
