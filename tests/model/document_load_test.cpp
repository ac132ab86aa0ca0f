// Loading: whole files, damaged and short ones (message once, complete records kept, the file
// kept as .bad), odd headers, and errors of the file itself.
#include "document_fixture.h"
#include "model/data_file_io.h"
#include "model/exceptions.h"

#include <climits>

namespace {

using OpenResult = CTintwatchDoc::OpenResult;

QByteArray ThreeRecords() {
    return RecordBytes(NumberedEvent(1)) + RecordBytes(NumberedEvent(2)) +
           RecordBytes(NumberedEvent(3));
}

TEST_F(DocumentTest, SavedEventsLoadBackWithoutAMessage) {
    m_doc.m_arrEvents = {NumberedEvent(1), NumberedEvent(2), NumberedEvent(3)};
    ASSERT_TRUE(m_doc.OnSaveDocument(FilePath()));

    CTintwatchDoc loaded(m_platform.screen, m_platform.messageBox);
    loaded.SetModifiedFlag();
    EXPECT_EQ(loaded.OnOpenDocument(FilePath()), OpenResult::Complete);
    ASSERT_EQ(loaded.m_arrEvents.size(), 3u);
    for (int i = 0; i < 3; ++i)
        ExpectSameStoredFields(loaded.m_arrEvents[i], NumberedEvent(i + 1));
    EXPECT_EQ(loaded.m_nFileVersion, 786);
    EXPECT_FALSE(loaded.IsModified());
    EXPECT_TRUE(m_platform.messageBox.shown.empty());
    EXPECT_FALSE(QFile::exists(BadPath()));
}

TEST_F(DocumentTest, RecordsCutShortKeepTheCompleteOnesShowTheMessageOnceAndKeepTheFile) {
    // The third record ends inside its integers.
    const QByteArray bytes = Words({786, 1920, 1080, 3}) + RecordBytes(NumberedEvent(1)) +
                             RecordBytes(NumberedEvent(2)) + RecordBytes(NumberedEvent(3)).left(30);
    WriteBytes(FilePath(), bytes);

    EXPECT_EQ(m_doc.OnOpenDocument(FilePath()), OpenResult::Damaged);

    ASSERT_EQ(m_doc.m_arrEvents.size(), 2u);
    ExpectSameStoredFields(m_doc.m_arrEvents[1], NumberedEvent(2));
    ASSERT_EQ(m_platform.messageBox.shown.size(), 1u);
    EXPECT_EQ(m_platform.messageBox.shown[0].text, kExceptionLoadingText);
    EXPECT_EQ(m_platform.messageBox.shown[0].icon, MbIcon::Error);
    EXPECT_EQ(m_platform.messageBox.shown[0].buttons, MbButtons::Ok);
    EXPECT_EQ(ReadBytes(BadPath()), bytes);
    EXPECT_EQ(ReadBytes(FilePath()), bytes);
}

TEST_F(DocumentTest, HeaderCountingMoreRecordsThanThereAreStopsAtTheEnd) {
    const QByteArray bytes =
        Words({786, 1920, 1080, 3}) + RecordBytes(NumberedEvent(1)) + RecordBytes(NumberedEvent(2));
    for (std::int64_t count : {3LL, static_cast<long long>(INT_MAX)}) {
        CTintwatchDoc doc(m_platform.screen, m_platform.messageBox);
        QByteArray counted = bytes;
        counted.replace(12, 4, Words({count}));
        EXPECT_EQ(doc.LoadFromBytes(counted), OpenResult::Damaged);
        EXPECT_EQ(doc.m_arrEvents.size(), 2u);
    }
    EXPECT_EQ(m_platform.messageBox.shown.size(), 2u);
}

TEST_F(DocumentTest, CountOfZeroOrLessReadsNothingAndRecordsAfterTheCountAreIgnored) {
    for (std::int64_t count : {0LL, -1LL, static_cast<long long>(INT_MIN), 1LL}) {
        CTintwatchDoc doc(m_platform.screen, m_platform.messageBox);
        const QByteArray bytes = Words({786, 1920, 1080, count}) + ThreeRecords();
        EXPECT_EQ(doc.LoadFromBytes(bytes), OpenResult::Complete);
        EXPECT_EQ(doc.m_arrEvents.size(), count == 1 ? 1u : 0u) << count;
        EXPECT_EQ(doc.m_nEventCount, count);
    }
    EXPECT_TRUE(m_platform.messageBox.shown.empty());
}

TEST_F(DocumentTest, FormatNumberAndScreenSizeAreNotChecked) {
    const std::initializer_list<std::int64_t> headers[] = {
        {786, 1920, 1080}, {1, 5, 7}, {0, 0, 0}, {-786, -1, 70000}, {0xFFFFFFFF, 1080, 1920}};
    for (const auto& header : headers) {
        CTintwatchDoc doc(m_platform.screen, m_platform.messageBox);
        const auto words = std::vector<std::int64_t>(header);
        const QByteArray bytes = Words({words[0], words[1], words[2], 3}) + ThreeRecords();
        EXPECT_EQ(doc.LoadFromBytes(bytes), OpenResult::Complete);
        ASSERT_EQ(doc.m_arrEvents.size(), 3u);
        ExpectSameStoredFields(doc.m_arrEvents[2], NumberedEvent(3));
        EXPECT_EQ(doc.m_nFileVersion, static_cast<int>(static_cast<std::uint32_t>(words[0])));
        EXPECT_EQ(doc.m_nScreenWidth, words[1]);
        EXPECT_EQ(doc.m_nScreenHeight, words[2]);
    }
    EXPECT_TRUE(m_platform.messageBox.shown.empty());
}

TEST_F(DocumentTest, FileShorterThanItsHeaderIsDamagedNotFatal) {
    const QByteArray header = Words({786, 1920, 1080, 3});
    for (int length : {1, 7, 15}) {
        m_platform.messageBox.shown.clear();
        CTintwatchDoc doc(m_platform.screen, m_platform.messageBox);
        WriteBytes(FilePath(), header.left(length));
        EXPECT_EQ(doc.OnOpenDocument(FilePath()), OpenResult::Damaged);
        EXPECT_TRUE(doc.m_arrEvents.empty());
        ASSERT_EQ(m_platform.messageBox.shown.size(), 1u) << length;
        EXPECT_EQ(m_platform.messageBox.shown[0].text, kExceptionLoadingText);
        // Each damaged file replaces the copy kept of the one before.
        EXPECT_EQ(ReadBytes(BadPath()), header.left(length));
    }
}

TEST_F(DocumentTest, EmptyFileGivesAnEmptyListWithoutAMessage) {
    WriteBytes(FilePath(), {});
    EXPECT_EQ(m_doc.OnOpenDocument(FilePath()), OpenResult::Complete);
    EXPECT_TRUE(m_doc.m_arrEvents.empty());
    EXPECT_TRUE(m_platform.messageBox.shown.empty());
    EXPECT_FALSE(QFile::exists(BadPath()));
}

TEST_F(DocumentTest, FileThatCannotBeReadThrowsAFileErrorAndShowsNothing) {
    EXPECT_THROW(m_doc.OnOpenDocument(FilePath()), CFileException);
    ASSERT_TRUE(QDir(m_folder.path()).mkdir(QStringLiteral("Tintwatchv7.1.dat")));
    EXPECT_THROW(m_doc.OnOpenDocument(FilePath()), CFileException);
    EXPECT_TRUE(m_platform.messageBox.shown.empty());
    EXPECT_TRUE(m_doc.m_arrEvents.empty());
}

TEST_F(DocumentTest, TextFieldsEndingInCarriageReturnsLoadAsTheyWillBeSaved) {
    QByteArray record = RecordBytes(NumberedEvent(1)).left(68);
    for (const char16_t* line : {u"Open\r\r\n", u"a\rb\n", u"note\r"})
        for (const char16_t* unit = line; *unit; ++unit)
            record.append(static_cast<char>(*unit)).append('\0');
    ASSERT_EQ(m_doc.LoadFromBytes(Words({786, 1, 1, 1}) + record), OpenResult::Complete);
    ASSERT_EQ(m_doc.m_arrEvents.size(), 1u);
    EXPECT_EQ(m_doc.m_arrEvents[0].m_sCommand, QStringLiteral("Open"));
    EXPECT_EQ(m_doc.m_arrEvents[0].m_sFilePath, QStringLiteral("a\rb"));
    EXPECT_EQ(m_doc.m_arrEvents[0].m_sComment, QStringLiteral("note"));

    ASSERT_TRUE(m_doc.OnSaveDocument(FilePath()));
    CTintwatchDoc reloaded(m_platform.screen, m_platform.messageBox);
    ASSERT_EQ(reloaded.OnOpenDocument(FilePath()), OpenResult::Complete);
    ExpectSameStoredFields(reloaded.m_arrEvents.at(0), m_doc.m_arrEvents[0]);
}

TEST_F(DocumentTest, DamagedCopyOfTheFileOnDiskIsExactAndReplacesAnOlderOne) {
    EXPECT_FALSE(KeepDamagedCopy(FilePath()));
    WriteBytes(BadPath(), QByteArrayLiteral("older copy, longer than the new one"));
    const QByteArray bytes = Words({786, 0, 0, 2}) + QByteArrayLiteral("\x01\x02\xff");
    WriteBytes(FilePath(), bytes);
    EXPECT_TRUE(KeepDamagedCopy(FilePath()));
    EXPECT_EQ(ReadBytes(BadPath()), bytes);
    EXPECT_EQ(ReadBytes(FilePath()), bytes);
}

} // namespace
