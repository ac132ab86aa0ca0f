// Building the list from the document, keeping the window's placement and column widths, and
// the rows' records.
#include "ui/font_scale.h"
#include "ui/view/event_row_item.h"
#include "view_fixture.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>

namespace {

using StartTest = ViewFixture;

TEST_F(StartTest, StoredEventsGetNumberedRowsAndOnlyEnabledOnesTick) {
    Start({Event(500, true, "a"), Event(700, false, "b"), Event(250, true, "c")});

    EXPECT_EQ(Column(kColumnNumber), QStringList({"1", "2", "3"}));
    EXPECT_EQ(Column(kColumnComment), QStringList({"a", "b", "c"}));
    EXPECT_EQ(Column(kColumnEnabled), QStringList({"Yes", "No", "Yes"}));
    EXPECT_EQ(Column(kColumnInterval), QStringList({"500", "700", "250"}));
    EXPECT_EQ(view->GetItemText(0, kColumnColor), "Red 1 Green 2 Blue 3");
    EXPECT_EQ(view->GetItemText(1, kColumnCount), "0 Detected Out of 100");
    const std::map<std::uintptr_t, std::uint32_t> expected{{1, 500}, {3, 250}};
    EXPECT_EQ(timers->running, expected);
    // Stored events mean no editor for a new one.
    EXPECT_EQ(Deliver(), std::vector<int>());
    EXPECT_EQ(editor.runs, 0);
}

TEST_F(StartTest, EachRowOwnsItsOwnCopyOfTheRecord) {
    Start({Event(500, true, "a"), Event(600, true, "b")});
    CEventInfo* first = view->GetItemData(0);
    CEventInfo* second = view->GetItemData(1);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_NE(first, &doc.m_arrEvents[0]);
    doc.m_arrEvents[0].m_sComment = "changed in the snapshot";
    EXPECT_EQ(first->m_sComment, "a");
    EXPECT_EQ(view->GetItemData(2), nullptr);
}

TEST_F(StartTest, ColumnsFollowTheTable) {
    Start({});
    ASSERT_EQ(view->columnCount(), 8);
    const QStringList titles{"Sr",
                             "Color to Match",
                             "Command",
                             "Application / Document Path",
                             "Detection Count",
                             "Interval (msec)",
                             "Comment",
                             "Enabled"};
    const int widths[] = {30, 200, 75, 200, 125, 125, 250, 55};
    for (int i = 0; i < 8; ++i) {
        const QTableWidgetItem* header = view->horizontalHeaderItem(i);
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header->text(), titles[i]);
        EXPECT_EQ(view->columnWidth(i), ScaleClassicWidth(widths[i], QFontMetricsF(view->font())))
            << i;
        const auto horizontal = Qt::Alignment(header->textAlignment()) & Qt::AlignHorizontal_Mask;
        EXPECT_EQ(horizontal, i < 2 ? Qt::AlignLeft : Qt::AlignHCenter) << i;
    }
    EXPECT_TRUE(view->showGrid());
    EXPECT_EQ(view->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(view->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(view->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(StartTest, AnEmptyListOpensTheEditorOnceAndCancellingLeavesItEmpty) {
    Start({});
    EXPECT_EQ(editor.runs, 0) << "the editor waits until the window runs";
    EXPECT_EQ(Deliver(), std::vector<int>({ID_EVENT_NEW}));
    EXPECT_EQ(editor.runs, 1);
    EXPECT_FALSE(editor.lastEditMode);
    EXPECT_EQ(editor.lastParent, view.get());
    EXPECT_EQ(view->rowCount(), 0);
    EXPECT_EQ(Saves(), 0);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(StartTest, DestroyWritesPlacementAndWidthsButTheNextStartUsesTheTable) {
    Start({Event(500, true), Event(600, true)});
    view->setColumnWidth(3, 333);
    view->OnDestroy();

    const auto& values = platform.profile.values;
    EXPECT_EQ(values.value("Settings/Column3").toInt(), 333);
    EXPECT_EQ(values.value("Settings/Column7").toInt(), view->columnWidth(7));
    EXPECT_EQ(values.value("Settings/LastLocation").toByteArray(), frame.saveGeometry());
    EXPECT_EQ(view->rowCount(), 0);
    EXPECT_TRUE(timers->running.empty());

    // A second call, as the destructor makes, changes nothing.
    platform.profile.values.clear();
    view->OnDestroy();
    EXPECT_TRUE(platform.profile.values.isEmpty());

    // Commands that arrive after the window went find no rows to act on and change nothing.
    EXPECT_FALSE(view->OnCommand(ID_EVENT_NEW));
    EXPECT_EQ(editor.runs, 0);

    view.reset();
    Start({Event(500, true)});
    EXPECT_EQ(view->columnWidth(3), ScaleClassicWidth(200, QFontMetricsF(view->font())));
}

TEST_F(StartTest, PlacementIsRestoredOnlyWhenTheWindowAcceptsIt) {
    QWidget earlier;
    earlier.setGeometry(130, 140, 640, 333);
    platform.profile.values["Settings/LastLocation"] = earlier.saveGeometry();
    Start({});
    EXPECT_EQ(frame.geometry().size(), QSize(640, 333));

    view.reset();
    platform.profile.values["Settings/LastLocation"] = QByteArray("not a placement");
    Start({});
    EXPECT_EQ(frame.size(), QSize(900, 400)) << "the size the application gave stays";
}

TEST_F(StartTest, UnknownCommandsReachTheDocument) {
    Start({Event(500, true, "kept")});
    Deliver();
    EXPECT_FALSE(view->OnCommand(ID_APP_ABOUT));
    QString path;
    GetDataFilePath(path);
    QFile::remove(path);
    EXPECT_TRUE(view->OnCommand(ID_FILE_SAVE));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_GT(QFileInfo(path).size(), 16);
}

TEST_F(StartTest, ASaveStillQueuedWhenTheWindowGoesWritesTheEventsAsTheyStood) {
    Start({Event(500, true, "a"), Event(600, true, "b")});
    Deliver();
    QString path;
    GetDataFilePath(path);
    QFile::remove(path);
    view->selectRow(1);
    view->OnCommand(ID_EVENT_TOGGLE); // its save is still queued
    view->OnDestroy();
    EXPECT_EQ(Saves(), 1);

    CTintwatchDoc reread(platform.screen, platform.messageBox);
    ASSERT_EQ(reread.OnOpenDocument(path), CTintwatchDoc::OpenResult::Complete);
    ASSERT_EQ(reread.m_arrEvents.size(), 2u);
    EXPECT_EQ(reread.m_arrEvents[0].m_bEnabled, 1);
    EXPECT_EQ(reread.m_arrEvents[1].m_bEnabled, 0);
}

TEST_F(StartTest, ARepeatedInitialUpdateReplacesTheRowsAndStopsTheirTimers) {
    Start({Event(500, true, "a"), Event(600, true, "b"), Event(700, true, "c")});
    Deliver();
    doc.m_arrEvents = {Event(800, true, "new")};
    view->OnInitialUpdate();
    EXPECT_EQ(view->columnCount(), 8);
    EXPECT_EQ(Column(kColumnComment), QStringList({"new"}));
    const std::map<std::uintptr_t, std::uint32_t> expected{{1, 800}};
    EXPECT_EQ(timers->running, expected);
}

} // namespace

TEST(ColumnWidths, GrowWithTheFontButNeverBelowTheTable) {
    QFont small = QApplication::font();
    small.setPixelSize(6);
    QFont large = small;
    large.setPixelSize(36);
    EXPECT_EQ(ScaleClassicWidth(125, QFontMetricsF(small)), 125);
    const int wide = ScaleClassicWidth(125, QFontMetricsF(large));
    EXPECT_GT(wide, 2 * 125);
    EXPECT_EQ(wide, qRound(125 * AverageLetterWidth(QFontMetricsF(large)) / kClassicLetterWidth));
}
