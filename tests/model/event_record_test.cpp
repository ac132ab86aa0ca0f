// The event record's defaults and byte layout in the archive; and where its data file lives.
#include "model/data_file_path.h"
#include "support/records.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(EventRecord, DefaultRecordStoresAsItsKnown82Bytes) {
    const QByteArray expected =
        Words({0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1000, 1, 1, 2000, 5000, 1}) +
        QByteArray("O\0p\0e\0n\0\n\0\n\0\n\0", 14);
    ASSERT_EQ(expected.size(), 82);
    EXPECT_EQ(RecordBytes(CEventInfo()), expected);
}

TEST(EventRecord, ColourWordsAreStoredAsChannelsAndLoadKeepsTheirLowBits) {
    CEventInfo event;
    event.m_clrMatch = RGB(0x12, 0x34, 0x56);
    EXPECT_EQ(RecordBytes(event).left(12), Words({0x12, 0x34, 0x56}));

    const QByteArray colours = Words({786, 0, 0, 1, 300, 2, 3, 256 + 9, 0xFFFFFFFF, 0});
    const CEventInfo loaded = EventsOf(colours + RecordBytes(event).mid(24)).value().at(0);
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
