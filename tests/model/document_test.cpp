// The document's data file: what loads from whole, damaged and odd files (message once, the
// damaged file kept as .bad), what a save writes, and saves that fail or are cut off.
#include "fakes/fake_platform.h"
#include "model/data_file_io.h"
#include "model/event_rows.h"
#include "model/exceptions.h"
#include "model/tintwatch_doc.h"
#include "support/processes.h"
#include "support/records.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using OpenResult = CTintwatchDoc::OpenResult;

class RowsInMemory : public IEventRows {
public:
    void Add(const CEventInfo& event) { m_rows.push_back(std::make_unique<CEventInfo>(event)); }
    int GetItemCount() const override { return static_cast<int>(m_rows.size()); }
    CEventInfo* GetItemData(int row) const override { return m_rows.at(row).get(); }

private:
    std::vector<std::unique_ptr<CEventInfo>> m_rows;
};

const QString kExceptionLoading = QStringLiteral(
    "There was an Exception Loading the Script File, seems like something went wrong with the "
    "software.\n\nThere are really good chances that if you create a new script, it would work "
    "fine.");

QByteArray Records(std::initializer_list<int> seeds) {
    QByteArray bytes;
    for (int seed : seeds)
        bytes += RecordBytes(NumberedEvent(seed));
    return bytes;
}

class DocumentTest : public ::testing::Test {
protected:
    QString FilePath() const { return m_folder.filePath(QStringLiteral("Tintwatchv7.1.dat")); }
    QString BadPath() const { return FilePath() + QStringLiteral(".bad"); }
    CTintwatchDoc Reloaded() {
        CTintwatchDoc doc(m_platform.screen, m_platform.messageBox);
        EXPECT_EQ(doc.OnOpenDocument(FilePath()), OpenResult::Complete);
        return doc;
    }

    QTemporaryDir m_folder;
    FakePlatform m_platform;
    CTintwatchDoc m_doc{m_platform.screen, m_platform.messageBox};
};

TEST_F(DocumentTest, FilesLoadTheirCompleteRecordsAndOnlyDamagedOnesWarnAndAreKept) {
    const QByteArray twoOfThree = Words({786, 1920, 1080, 3}) + Records({1, 2});
    struct Case {
        const char* what;
        QByteArray bytes;
        OpenResult result;
        std::size_t events;
    } cases[] = {
        {"whole", Words({786, 1920, 1080, 3}) + Records({1, 2, 3}), OpenResult::Complete, 3},
        {"empty", {}, OpenResult::Complete, 0},
        {"third record cut in its integers", twoOfThree + RecordBytes(NumberedEvent(3)).left(30),
         OpenResult::Damaged, 2},
        {"count beyond the records", twoOfThree, OpenResult::Damaged, 2},
        {"huge count", Words({786, 1920, 1080, INT_MAX}) + Records({1, 2}), OpenResult::Damaged, 2},
        {"count of zero", Words({786, 1920, 1080, 0}) + Records({1}), OpenResult::Complete, 0},
        {"negative count", Words({786, 1920, 1080, INT_MIN}) + Records({1}), OpenResult::Complete,
         0},
        {"extra records after the count", Words({786, 1920, 1080, 1}) + Records({1, 2}),
         OpenResult::Complete, 1},
        {"other format and screen", Words({-786, -1, 70000, 2}) + Records({1, 2}),
         OpenResult::Complete, 2},
        {"one byte", QByteArray(1, '\x12'), OpenResult::Damaged, 0},
        {"shorter than its header", Words({786, 1920, 1080, 3}).left(15), OpenResult::Damaged, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_platform.messageBox.shown.clear();
        QFile::remove(BadPath());
        ASSERT_TRUE(WriteFile(FilePath(), c.bytes));
        CTintwatchDoc doc(m_platform.screen, m_platform.messageBox);
        doc.SetModifiedFlag();

        EXPECT_EQ(doc.OnOpenDocument(FilePath()), c.result);
        ASSERT_EQ(doc.m_arrEvents.size(), c.events);
        for (std::size_t i = 0; i < c.events; ++i)
            ExpectSameStoredFields(doc.m_arrEvents[i], NumberedEvent(static_cast<int>(i) + 1));
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(ReadFile(FilePath()), c.bytes);
        if (c.result == OpenResult::Damaged) {
            ASSERT_EQ(m_platform.messageBox.shown.size(), 1u);
            EXPECT_EQ(m_platform.messageBox.shown[0].text, kExceptionLoading);
            EXPECT_EQ(m_platform.messageBox.shown[0].icon, MbIcon::Error);
            EXPECT_EQ(ReadFile(BadPath()), c.bytes);
        } else {
            EXPECT_TRUE(m_platform.messageBox.shown.empty());
            EXPECT_FALSE(QFile::exists(BadPath()));
        }
    }
}

TEST_F(DocumentTest, HeaderFieldsAreKeptAsReadWithoutBeingChecked) {
    ASSERT_EQ(m_doc.LoadFromBytes(Words({0xFFFFFFFF, 1080, -1, 1}) + Records({1})),
              OpenResult::Complete);
    EXPECT_EQ(m_doc.m_nFileVersion, -1);
    EXPECT_EQ(m_doc.m_nScreenWidth, 1080);
    EXPECT_EQ(m_doc.m_nScreenHeight, -1);
    EXPECT_EQ(m_doc.m_nEventCount, 1);
}

TEST_F(DocumentTest, AFileThatCannotBeReadThrowsAndShowsNothing) {
    EXPECT_THROW(m_doc.OnOpenDocument(FilePath()), CFileException);
    ASSERT_TRUE(QDir(m_folder.path()).mkdir(QStringLiteral("Tintwatchv7.1.dat")));
    EXPECT_THROW(m_doc.OnOpenDocument(FilePath()), CFileException);
    EXPECT_TRUE(m_platform.messageBox.shown.empty());
    EXPECT_TRUE(m_doc.m_arrEvents.empty());
}

TEST_F(DocumentTest, DamagedCopyIsExactAndReplacesAnOlderOne) {
    EXPECT_FALSE(KeepDamagedCopy(FilePath()));
    ASSERT_TRUE(WriteFile(BadPath(), "older copy, longer than the new one"));
    const QByteArray bytes = Words({786, 0, 0, 2}) + QByteArrayLiteral("\x01\x02\xff");
    ASSERT_TRUE(WriteFile(FilePath(), bytes));
    EXPECT_TRUE(KeepDamagedCopy(FilePath()));
    EXPECT_EQ(ReadFile(BadPath()), bytes);
}

TEST_F(DocumentTest, TextFieldsEndingInCarriageReturnsLoadAsTheyWillBeSaved) {
    QByteArray record = RecordBytes(NumberedEvent(1)).left(68);
    for (const char16_t* line : {u"Open\r\r\n", u"a\rb\n", u"note\r"})
        for (const char16_t* unit = line; *unit; ++unit)
            record.append(static_cast<char>(*unit)).append('\0');
    ASSERT_EQ(m_doc.LoadFromBytes(Words({786, 1, 1, 1}) + record), OpenResult::Complete);
    const CEventInfo& event = m_doc.m_arrEvents.at(0);
    EXPECT_EQ(event.m_sCommand, QStringLiteral("Open"));
    EXPECT_EQ(event.m_sFilePath, QStringLiteral("a\rb"));
    EXPECT_EQ(event.m_sComment, QStringLiteral("note"));
    ASSERT_TRUE(m_doc.OnSaveDocument(FilePath()));
    ExpectSameStoredFields(Reloaded().m_arrEvents.at(0), event);
}

TEST_F(DocumentTest, SaveWritesTheRowsInRowOrderElseTheArrayWithTheScreenSize) {
    m_platform.screen.size = QSize(3840, 1201);
    ASSERT_TRUE(m_doc.OnSaveDocument(FilePath()));
    EXPECT_EQ(ReadFile(FilePath()), Words({786, 3840, 1201, 0}));

    m_doc.m_arrEvents = {NumberedEvent(4), NumberedEvent(9)};
    ASSERT_TRUE(m_doc.OnSaveDocument(FilePath()));
    EXPECT_EQ(ReadFile(FilePath()), Words({786, 3840, 1201, 2}) + Records({4, 9}));

    RowsInMemory rows;
    for (int seed : {3, 1, 2})
        rows.Add(NumberedEvent(seed));
    m_doc.SetView(&rows);
    m_doc.SetModifiedFlag();
    ASSERT_TRUE(m_doc.OnSaveDocument(FilePath()));
    EXPECT_EQ(ReadFile(FilePath()), Words({786, 3840, 1201, 3}) + Records({3, 1, 2}));
    EXPECT_EQ(m_doc.m_nEventCount, 3);
    ASSERT_EQ(m_doc.m_arrEvents.size(), 3u);
    ExpectSameStoredFields(m_doc.m_arrEvents[0], NumberedEvent(3));
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_TRUE(m_platform.messageBox.shown.empty());

    EXPECT_TRUE(m_doc.OnNewDocument());
    EXPECT_TRUE(m_doc.m_arrEvents.empty());
}

TEST_F(DocumentTest, OnlyTheSaveCommandIsTheDocumentsAndItWritesTheGivenPath) {
    m_doc.SetPathName(FilePath());
    m_doc.m_arrEvents = {NumberedEvent(5)};
    EXPECT_FALSE(m_doc.OnCommand(ID_FILE_OPEN));
    EXPECT_FALSE(QFile::exists(FilePath()));
    EXPECT_TRUE(m_doc.OnCommand(ID_FILE_SAVE));
    EXPECT_EQ(ReadFile(FilePath()), Words({786, 1920, 1080, 1}) + Records({5}));
}

TEST_F(DocumentTest, AFailedSaveIsReportedAndLeavesTheOldFileAndTheRows) {
    m_doc.m_arrEvents = {NumberedEvent(1), NumberedEvent(2)};
    ASSERT_TRUE(m_doc.OnSaveDocument(FilePath()));
    const QByteArray before = ReadFile(FilePath());
    RowsInMemory rows;
    for (int seed = 0; seed < 50; ++seed)
        rows.Add(NumberedEvent(seed, 200));
    m_doc.SetView(&rows);
    m_doc.SetModifiedFlag();

    // Files limited to twice the old one, as a nearly full disk would limit them.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = static_cast<rlim_t>(before.size()) * 2;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool savedOk = m_doc.OnSaveDocument(FilePath());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(savedOk);
    ASSERT_EQ(m_platform.messageBox.shown.size(), 1u);
    EXPECT_TRUE(m_platform.messageBox.shown[0].text.contains(FilePath()));
    EXPECT_EQ(m_platform.messageBox.shown[0].icon, MbIcon::Error);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(rows.GetItemCount(), 50);
    EXPECT_EQ(ReadFile(FilePath()), before);
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files), QStringList{"Tintwatchv7.1.dat"});
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
        EXPECT_EQ(seen.LoadFromBytes(bytes), OpenResult::Complete);
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
        expectWhole(ReadFile(FilePath()));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    expectWhole(ReadFile(FilePath()));
}

} // namespace
