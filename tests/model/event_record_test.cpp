// The event record's defaults, copy rule and byte layout in the archive; and where its data file
// lives.
#include "model/archive.h"
#include "model/data_file_path.h"
#include "support/records.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

CEventInfo Load(QByteArray bytes) {
    CEventInfo event;
    CArchive ar(bytes, CArchive::load);
    event.Serialize(ar);
    return event;
}

TEST(EventRecord, DefaultRecordStoresAsItsKnown82Bytes) {
    const QByteArray expected =
        Words({0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1000, 1, 1, 2000, 5000, 1}) +
        QByteArray("O\0p\0e\0n\0\n\0\n\0\n\0", 14);
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

TEST(DataFilePath, LivesInTheDataHomeOrTheHomesLocalShareWithItsFolderCreatedAndCurrent) {
    QTemporaryDir root;
    const QString dataHome = root.filePath("not/yet/there"), inHome = root.filePath("home");
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("HOME", inHome.toLocal8Bit());
    // What XDG_DATA_HOME holds, and the folder that gives: a relative one counts as none.
    const std::pair<QString, QString> cases[] = {
        {dataHome, dataHome},
        {dataHome + "/", dataHome},
        {"relative/data", inHome + "/.local/share"},
    };
    for (const auto& [value, folder] : cases) {
        qputenv("XDG_DATA_HOME", value.toLocal8Bit());
        QString path = QStringLiteral("whatever was there");
        GetDataFilePath(path);
        EXPECT_EQ(path, folder + "/Tintwatch/Tintwatchv7.1.dat") << qPrintable(value);
        EXPECT_EQ(QFileInfo(QDir::currentPath()).canonicalFilePath(),
                  QFileInfo(folder + "/Tintwatch").canonicalFilePath());
    }
    qputenv("XDG_DATA_HOME", saved);
}

} // namespace
