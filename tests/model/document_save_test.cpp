// Saving: the header and records written, the rows as the source, and saves that fail or are
// cut off leaving the previous file whole.
#include "document_fixture.h"
#include "model/data_file_path.h"
#include "res/resource_ids.h"

#include <chrono>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST_F(DocumentTest, EmptyListIsTheSixteenByteHeaderWithTheScreenSize) {
    m_platform.screen.size = QSize(3840, 1201);
    ASSERT_TRUE(m_doc.OnSaveDocument(FilePath()));
    EXPECT_EQ(ReadBytes(FilePath()), Words({786, 3840, 1201, 0}));
    EXPECT_TRUE(m_platform.messageBox.shown.empty());
}

TEST_F(DocumentTest, RowsAreWrittenInRowOrderWhateverTheArrayHeld) {
    for (int seed = 20; seed < 25; ++seed)
        m_doc.m_arrEvents.push_back(NumberedEvent(seed));
    RowsInMemory rows;
    for (int seed : {3, 1, 2})
        rows.Add(NumberedEvent(seed));
    m_doc.SetView(&rows);
    m_doc.SetModifiedFlag();

    ASSERT_TRUE(m_doc.OnSaveDocument(FilePath()));

    const QByteArray expected = Words({786, 1920, 1080, 3}) + RecordBytes(NumberedEvent(3)) +
                                RecordBytes(NumberedEvent(1)) + RecordBytes(NumberedEvent(2));
    EXPECT_EQ(ReadBytes(FilePath()), expected);
    EXPECT_EQ(m_doc.m_nEventCount, 3);
    ASSERT_EQ(m_doc.m_arrEvents.size(), 3u);
    ExpectSameStoredFields(m_doc.m_arrEvents[0], NumberedEvent(3));
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(DocumentTest, WithoutAViewTheArrayIsWritten) {
    m_doc.m_arrEvents = {NumberedEvent(4), NumberedEvent(9)};
    ASSERT_TRUE(m_doc.OnSaveDocument(FilePath()));
    EXPECT_EQ(ReadBytes(FilePath()), Words({786, 1920, 1080, 2}) + RecordBytes(NumberedEvent(4)) +
                                         RecordBytes(NumberedEvent(9)));
}

TEST_F(DocumentTest, SaveCommandWritesTheDataFileOfANeverOpenedDocument) {
    QString dataFile;
    GetDataFilePath(dataFile);
    QFile::remove(dataFile);
    RowsInMemory rows;
    rows.Add(NumberedEvent(5));
    m_doc.SetView(&rows);

    EXPECT_FALSE(m_doc.OnCommand(ID_FILE_OPEN));
    EXPECT_FALSE(QFile::exists(dataFile));
    EXPECT_TRUE(m_doc.OnCommand(ID_FILE_SAVE));

    EXPECT_EQ(ReadBytes(dataFile), Words({786, 1920, 1080, 1}) + RecordBytes(NumberedEvent(5)));
    QFile::remove(dataFile);
}

// Runs `body` with files limited to `maxBytes`, as a full disk would limit them.
template <typename Body> void WithFileSizeLimit(rlim_t maxBytes, Body body) {
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = maxBytes;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    body();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
}

TEST_F(DocumentTest, FailedSaveIsReportedAndLeavesTheOldFileAndTheRows) {
    m_doc.m_arrEvents = {NumberedEvent(1), NumberedEvent(2)};
    ASSERT_TRUE(m_doc.OnSaveDocument(FilePath()));
    const QByteArray before = ReadBytes(FilePath());

    RowsInMemory rows;
    for (int seed = 0; seed < 50; ++seed)
        rows.Add(NumberedEvent(seed, 200));
    m_doc.SetView(&rows);
    m_doc.SetModifiedFlag();
    bool saved = true;
    WithFileSizeLimit(static_cast<rlim_t>(before.size()) * 2,
                      [&] { saved = m_doc.OnSaveDocument(FilePath()); });

    EXPECT_FALSE(saved);
    ASSERT_EQ(m_platform.messageBox.shown.size(), 1u);
    const auto& shown = m_platform.messageBox.shown.front();
    EXPECT_TRUE(shown.text.contains(FilePath())) << shown.text.toStdString();
    EXPECT_EQ(shown.icon, MbIcon::Error);
    EXPECT_EQ(shown.buttons, MbButtons::Ok);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(rows.GetItemCount(), 50);
    EXPECT_EQ(ReadBytes(FilePath()), before);
    EXPECT_EQ(FolderEntries(), QStringList{QStringLiteral("Tintwatchv7.1.dat")});

    CTintwatchDoc reloaded(m_platform.screen, m_platform.messageBox);
    EXPECT_EQ(reloaded.OnOpenDocument(FilePath()), CTintwatchDoc::OpenResult::Complete);
    EXPECT_EQ(reloaded.m_arrEvents.size(), 2u);
}

TEST_F(DocumentTest, SavesSeenFromOutsideOrKilledMidWayLeaveAWholeFile) {
    // Another process saves two lists of different lengths in turn, without pause. Whenever
    // the file is looked at, and after that process is killed, it must hold one of them whole.
    constexpr int kSmall = 500;
    for (int seed = 0; seed < kSmall; ++seed)
        m_doc.m_arrEvents.push_back(NumberedEvent(seed, 300));
    ASSERT_TRUE(m_doc.OnSaveDocument(FilePath()));

    const auto expectWhole = [&](const QByteArray& bytes) {
        CTintwatchDoc seen(m_platform.screen, m_platform.messageBox);
        EXPECT_EQ(seen.LoadFromBytes(bytes), CTintwatchDoc::OpenResult::Complete);
        const auto loaded = static_cast<int>(seen.m_arrEvents.size());
        EXPECT_TRUE(loaded == kSmall || loaded == kSmall + 1) << loaded;
    };
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        for (bool large = true;; large = !large) {
            if (large)
                m_doc.m_arrEvents.push_back(NumberedEvent(7, 300));
            else
                m_doc.m_arrEvents.pop_back();
            m_doc.OnSaveDocument(FilePath());
        }
    }
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
    while (std::chrono::steady_clock::now() < until && !HasFailure())
        expectWhole(ReadBytes(FilePath()));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);

    expectWhole(ReadBytes(FilePath()));
    EXPECT_TRUE(m_platform.messageBox.shown.empty());
}

TEST_F(DocumentTest, NewDocumentEmptiesTheListAndClearsTheModifiedFlag) {
    m_doc.m_arrEvents = {NumberedEvent(1)};
    m_doc.SetModifiedFlag();
    EXPECT_TRUE(m_doc.OnNewDocument());
    EXPECT_TRUE(m_doc.m_arrEvents.empty());
    EXPECT_FALSE(m_doc.IsModified());
}

} // namespace
