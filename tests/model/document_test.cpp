// The data file: loads of whole, damaged and odd files (their numbered copies), what a save
// writes, and saves that fail for want of room, are tried again, or are cut off.
#include "fakes/fake_platform.h"
#include "model/archive.h"
#include "model/data_file_io.h"
#include "model/event_rows.h"
#include "model/tintwatch_doc.h"
#include "support/processes.h"
#include "support/records.h"
#include "support/waiting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstring>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using OpenResult = CTintwatchDoc::OpenResult;

class Rows : public IEventRows {
public:
    int GetItemCount() const override { return static_cast<int>(rows.size()); }
    CEventInfo* GetItemData(int row) const override { return &rows.at(row); }
    mutable std::vector<CEventInfo> rows;
};

class DocumentTest : public ::testing::Test {
protected:
    QString FilePath() const { return m_folder.filePath(QStringLiteral("Tintwatchv7.1.dat")); }
    QString BadPath(const char* number = "") const { return FilePath() + ".bad" + number; }
    QStringList Files() const { return QDir(m_folder.path()).entryList(QDir::Files); }

    QTemporaryDir m_folder;
    FakePlatform m_platform;
    std::vector<FakeMessageBox::Shown>& m_shown = m_platform.messageBox.shown;
    CTintwatchDoc m_doc{m_platform.screen, m_platform.messageBox};
};

TEST_F(DocumentTest, FilesLoadTheirCompleteRecordsAndOnlyDamagedOnesWarnAndAreKept) {
    const QByteArray whole = DataFileBytes({NumberedEvent(1), NumberedEvent(2), NumberedEvent(3)});
    // The first two records, after a header that counts three.
    const QByteArray two = whole.left(whole.size() - RecordBytes(NumberedEvent(3)).size());
    const QByteArray longText = DataFileBytes(
        {NumberedEvent(1), NumberedEvent(2, CArchive::kMaxTextLength + 1), NumberedEvent(3)});
    struct Case {
        const char* what;
        QByteArray bytes;
        OpenResult result;
        std::size_t events;
    } cases[] = {
        {"whole", whole, OpenResult::Complete, 3},
        {"empty", {}, OpenResult::Complete, 0},
        {"third record cut in its integers", whole.left(two.size() + 30), OpenResult::Damaged, 2},
        {"count beyond the records", two, OpenResult::Damaged, 2},
        {"huge count", Words({786, 1280, 1024, INT_MAX}) + two.mid(16), OpenResult::Damaged, 2},
        {"count of zero", Words({786, 1280, 1024, 0}) + two.mid(16), OpenResult::Damaged, 0},
        {"the header alone", Words({786, 1920, 1080, 0}), OpenResult::Complete, 0},
        {"negative count", Words({786, 1280, 1024, INT_MIN}) + two.mid(16), OpenResult::Damaged, 0},
        {"records past the count", Words({786, 1280, 1024, 1}) + two.mid(16), OpenResult::Damaged,
         1},
        {"a text too long", longText, OpenResult::Damaged, 1},
        {"a file too large", two + QByteArray(kMaxDataFileBytes, 0), OpenResult::Damaged, 0},
        {"other format and screen, kept unchecked", Words({-786, -1, 70000, 2}) + two.mid(16),
         OpenResult::Complete, 2},
        {"shorter than its header", whole.left(15), OpenResult::Damaged, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_shown.clear();
        ASSERT_TRUE(WriteFile(BadPath(), "an older copy, longer than some new ones"));
        ASSERT_TRUE(WriteFile(FilePath(), c.bytes));
        CTintwatchDoc doc(m_platform.screen, m_platform.messageBox);
        doc.SetModifiedFlag();
        // As at start-up: the list shows nothing yet, and the message box's own event loop
        // delivers a queued save; the loaded records must survive it.
        Rows shown;
        doc.SetView(&shown);
        m_platform.messageBox.whileOpen = [&] {
            EXPECT_TRUE(doc.OnSaveDocument(m_folder.filePath(QStringLiteral("saved"))));
        };

        EXPECT_EQ(doc.OnOpenDocument(FilePath()), c.result);
        ASSERT_EQ(doc.m_arrEvents.size(), c.events);
        for (std::size_t i = 0; i < c.events; ++i)
            ExpectSameStoredFields(doc.m_arrEvents[i], NumberedEvent(static_cast<int>(i) + 1));
        const QByteArray read =
            Words({doc.m_nFileVersion, doc.m_nScreenWidth, doc.m_nScreenHeight, doc.m_nEventCount});
        const bool damaged = c.result == OpenResult::Damaged; // and so saved while loading
        EXPECT_TRUE(c.bytes.size() < 16 || c.bytes.size() > kMaxDataFileBytes ||
                    c.bytes.startsWith(read.left(damaged ? 12 : 16)));
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(ReadFile(FilePath()), c.bytes);
        ASSERT_EQ(m_shown.size(), damaged ? 1u : 0u);
        if (damaged) {
            EXPECT_TRUE(m_shown[0].text.startsWith("There was an Exception Loading the Script "
                                                   "File, seems like something went wrong"));
            EXPECT_EQ(m_shown[0].icon, MbIcon::Error);
        }
        // The older copy stays; this load's is the next number.
        EXPECT_EQ(ReadFile(BadPath()), "an older copy, longer than some new ones");
        EXPECT_EQ(QFile::exists(BadPath(".1")), damaged);
        EXPECT_TRUE(!damaged || ReadFile(BadPath(".1")) == c.bytes);
        QFile::remove(BadPath(".1"));
    }
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
}

TEST_F(DocumentTest, SaveWritesTheScreenSizeAndTheRowsInRowOrder) {
    m_platform.screen.size = QSize(1280, 1024);
    Rows rows;
    rows.rows = {NumberedEvent(3), NumberedEvent(1), NumberedEvent(2)};
    m_doc.SetView(&rows);
    m_doc.SetModifiedFlag();
    ASSERT_TRUE(m_doc.OnSaveDocument(FilePath()));
    EXPECT_EQ(ReadFile(FilePath()), DataFileBytes(rows.rows));
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_TRUE(m_shown.empty());
}

// A 64 KB tmpfs mounted over the folder, holding an old data file, then filled up.
class FullDisk : public DocumentTest {
protected:
    void SetUp() override {
        if (geteuid() != 0)
            GTEST_SKIP() << "mounting a small tmpfs needs root (CI runs as root)";
        ASSERT_EQ(::mount("tmpfs", qPrintable(m_folder.path()), "tmpfs", 0, "size=64k"), 0)
            << std::strerror(errno);
        m_mounted = true;
        ASSERT_TRUE(WriteFile(FilePath(), kOld));
        // Filled in small pieces, so that the last few bytes are taken too.
        QFile filler(m_folder.filePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(512, 'f')) > 0) {
        }
    }
    void TearDown() override {
        if (m_mounted)
            ::umount2(qPrintable(m_folder.path()), MNT_DETACH);
    }
    const QByteArray kOld = QByteArray(3000, 'o');
    bool m_mounted = false;
};

class FullDiskSizes : public FullDisk, public ::testing::WithParamInterface<int> {};

TEST_P(FullDiskSizes, SaveFailsWithTheReasonAndTheOldFileStaysWhole) {
    const QString reason = WriteWholeFile(FilePath(), QByteArray(GetParam(), 'n'));
    EXPECT_TRUE(reason.contains(QStringLiteral("No space left on device"))) << qPrintable(reason);
    EXPECT_TRUE(ReadFile(FilePath()) == kOld);
    EXPECT_EQ(Files(), (QStringList{"filler", "Tintwatchv7.1.dat"}));
}

// A small list would stay in a write buffer until the commit; a large one is written at once.
INSTANTIATE_TEST_SUITE_P(ListSizes, FullDiskSizes, ::testing::Values(100, 5000, 200000));

TEST_F(FullDisk, ADamagedFileWithoutRoomForItsCopyStaysUntilOneIsMadeAndTheSaveIsTriedAgain) {
    // The old file is damaged: its count reaches far past its bytes. No room for a copy: the
    // user is asked, says no, and saves leave the file alone.
    ASSERT_EQ(m_doc.OnOpenDocument(FilePath()), OpenResult::Damaged);
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].buttons, MbButtons::YesNo);
    EXPECT_TRUE(m_shown[0].text.contains("could not be kept as a copy"))
        << qPrintable(m_shown[0].text);
    Rows rows;
    rows.rows = {NumberedEvent(4)};
    m_doc.SetView(&rows);
    m_platform.screen.size = QSize(1280, 1024);
    EXPECT_FALSE(m_doc.OnSaveDocument(FilePath()));
    EXPECT_TRUE(m_doc.IsModified());
    ASSERT_EQ(m_shown.size(), 2u);
    EXPECT_TRUE(m_shown[1].text.contains("has no copy yet")) << qPrintable(m_shown[1].text);
    EXPECT_EQ(ReadFile(FilePath()), kOld);

    // Room again: the save tried again by itself keeps the copy first, then writes the list.
    ASSERT_TRUE(QFile::remove(m_folder.filePath(QStringLiteral("filler"))));
    EXPECT_TRUE(WaitUntil([&] { return !m_doc.IsModified(); }, 3000));
    EXPECT_EQ(ReadFile(BadPath()), kOld);
    EXPECT_EQ(ReadFile(FilePath()), DataFileBytes(rows.rows));
    EXPECT_EQ(m_shown.size(), 2u);
}

TEST_F(DocumentTest, SavesSeenFromOutsideOrKilledMidWayLeaveAWholeFile) {
    // Another process saves two lists of different lengths in turn, without pause. Whenever
    // the file is looked at, and after that process is killed, it must hold one of them whole.
    constexpr int kSmall = 500;
    for (int seed = 0; seed < kSmall; ++seed)
        m_doc.m_arrEvents.push_back(NumberedEvent(seed, 300));
    ASSERT_TRUE(m_doc.OnSaveDocument(FilePath()));

    const auto expectWhole = [&](const QByteArray& bytes) {
        const auto events = EventsOf(bytes);
        ASSERT_TRUE(events);
        EXPECT_TRUE(events->size() == kSmall || events->size() == kSmall + 1) << events->size();
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
    waitpid(child, nullptr, 0);
    expectWhole(ReadFile(FilePath()));
}

} // namespace
