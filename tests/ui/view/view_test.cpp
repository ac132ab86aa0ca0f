// The event list over fakes: building it from the document, its commands with their messages
// and save requests, renumbering on delete, ticks during an edit, and what reaches it by keys,
// double clicks and the context menu.
#include "platform/browser/help_links.h"
#include "ui/font_scale.h"
#include "view_fixture.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QMenu>
#include <QTest>

namespace {

constexpr COLORREF kOther = RGB(200, 100, 50);
using Timers = std::map<std::uintptr_t, std::uint32_t>;

class ViewTest : public ViewFixture {
protected:
    // Starts with `events` and lets the start-up's posted work run.
    void Run(const std::vector<CEventInfo>& events) {
        Start(events);
        Deliver();
    }
    void Answer(std::function<void(CEventInfo&)> change) {
        editor.onRun = [change](CEventInfo& event) {
            change(event);
            return true;
        };
    }
};

TEST_F(ViewTest, StoredEventsGetNumberedRowsOfTheirOwnAndOnlyEnabledOnesTick) {
    Start({Event(500, true, "a"), Event(700, false, "b"), Event(250, true, "c")});
    EXPECT_EQ(Column(kColumnNumber), QStringList({"1", "2", "3"}));
    EXPECT_EQ(Column(kColumnComment), QStringList({"a", "b", "c"}));
    EXPECT_EQ(Column(kColumnEnabled), QStringList({"Yes", "No", "Yes"}));
    EXPECT_EQ(view->GetItemText(1, kColumnCount), "0 Detected Out of 100");
    EXPECT_EQ(timers->running, Timers({{1, 500}, {3, 250}}));
    EXPECT_EQ(Deliver(), std::vector<int>()) << "stored events mean no editor for a new one";

    CEventInfo* first = view->GetItemData(0);
    ASSERT_TRUE(first && view->GetItemData(1) && first != view->GetItemData(1));
    doc.m_arrEvents[0].m_sComment = "changed in the snapshot";
    EXPECT_EQ(first->m_sComment, "a");
    EXPECT_EQ(view->GetItemData(3), nullptr);

    // A repeated initial update (File New or Open) replaces the rows and their timers.
    doc.m_arrEvents = {Event(800, true, "new")};
    view->OnInitialUpdate();
    EXPECT_EQ(Column(kColumnComment), QStringList({"new"}));
    EXPECT_EQ(timers->running, Timers({{1, 800}}));
}

TEST_F(ViewTest, AnEmptyListOpensTheEditorOnceTheWindowRunsAndCancellingLeavesItEmpty) {
    Start({});
    EXPECT_EQ(editor.runs, 0);
    EXPECT_EQ(Deliver(), std::vector<int>({ID_EVENT_NEW}));
    EXPECT_EQ(editor.runs, 1);
    EXPECT_FALSE(editor.lastEditMode);
    EXPECT_EQ(editor.lastParent, view.get());
    EXPECT_EQ(view->rowCount(), 0);
    EXPECT_EQ(Saves(), 0);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ViewTest, DestroyKeepsPlacementAndWidthsOnceAndTheNextStartRestoresOnlyThePlacement) {
    QWidget earlier;
    earlier.setGeometry(130, 140, 640, 333);
    platform.profile.values["Settings/LastLocation"] = earlier.saveGeometry();
    Run({Event(500, true), Event(600, true)});
    EXPECT_EQ(frame.geometry().size(), QSize(640, 333));
    view->setColumnWidth(3, 333);
    view->OnDestroy();
    const auto& values = platform.profile.values;
    EXPECT_EQ(values.value("Settings/Column3").toInt(), 333);
    EXPECT_EQ(values.value("Settings/LastLocation").toByteArray(), frame.saveGeometry());
    EXPECT_EQ(view->rowCount(), 0);
    EXPECT_TRUE(timers->running.empty());
    platform.profile.values.clear();
    view->OnDestroy(); // as the destructor calls it again
    EXPECT_TRUE(platform.profile.values.isEmpty());
    EXPECT_FALSE(view->OnCommand(ID_EVENT_NEW)) << "no rows to act on once the window went";

    view.reset();
    platform.profile.values["Settings/LastLocation"] = QByteArray("not a placement");
    frame.resize(900, 400);
    Start({Event(500, true)});
    EXPECT_EQ(frame.size(), QSize(900, 400));
    EXPECT_EQ(view->columnWidth(3), ScaleClassicWidth(200, QFontMetricsF(view->font())));
}

TEST_F(ViewTest, ColumnWidthsGrowWithTheFontButNeverBelowTheTable) {
    QFont font = QApplication::font();
    font.setPixelSize(6);
    EXPECT_EQ(ScaleClassicWidth(125, QFontMetricsF(font)), 125);
    font.setPixelSize(36);
    const QFontMetricsF large(font);
    EXPECT_GT(ScaleClassicWidth(125, large), 2 * 125);
    EXPECT_EQ(ScaleClassicWidth(125, large),
              qRound(125 * AverageLetterWidth(large) / kClassicLetterWidth));
}

TEST_F(ViewTest, SaveRequestsAndUnknownCommandsReachTheDocumentAndAQueuedSaveOutlivesTheRows) {
    Run({Event(500, true, "a"), Event(600, true, "b")});
    EXPECT_FALSE(view->OnCommand(ID_APP_ABOUT));
    const QString path = FreshDataFile();
    Select(1);
    view->OnCommand(ID_EVENT_TOGGLE); // its save is still queued when the window goes
    view->OnDestroy();
    EXPECT_EQ(Saves(), 1);
    const auto events = Reread(path);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].m_bEnabled, 1);
    EXPECT_EQ(events[1].m_bEnabled, 0);
}

TEST_F(ViewTest, AddAppendsSelectsStartsItsTimerAndSavesButACancelChangesNothing) {
    Run({Event(500, true, "a"), Event(600, true, "b")});
    view->OnCommand(ID_EVENT_NEW); // the scripted editor cancels
    EXPECT_EQ(view->rowCount(), 2);
    EXPECT_EQ(Saves(), 0);
    EXPECT_FALSE(doc.IsModified());

    Select(0);
    Answer([](CEventInfo& event) {
        event.m_sComment = "new";
        event.m_nInterval = 900;
    });
    EXPECT_TRUE(view->OnCommand(ID_EVENT_NEW));
    EXPECT_EQ(Column(kColumnNumber), QStringList({"1", "2", "3"}));
    EXPECT_EQ(view->GetItemText(2, kColumnComment), "new");
    EXPECT_EQ(view->selectionModel()->selectedRows().size(), 1);
    EXPECT_TRUE(view->selectionModel()->isRowSelected(2, {}));
    EXPECT_EQ(timers->running.at(3), 900u);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(Saves(), 1);

    Answer([](CEventInfo& event) { event.m_bEnabled = 0; });
    view->OnCommand(ID_EVENT_NEW);
    EXPECT_EQ(timers->running.count(4), 0u);
    EXPECT_EQ(Saves(), 1);
}

TEST_F(ViewTest, EditShowsTheConfirmedValuesAndRestartsOrStopsTheTimer) {
    Run({Event(500, true, "a"), Event(600, true, "b")});
    Select(1);
    view->OnCommand(ID_EVENT_EDIT); // cancelled
    EXPECT_EQ(editor.runs, 1);
    EXPECT_EQ(Saves(), 0);

    Answer([](CEventInfo& event) {
        event.m_sComment = "edited";
        event.m_nInterval = 1234;
    });
    for (const int id : {ID_EVENT_EDIT, ID_POPUP_EVENT_EDIT}) {
        timers->calls.clear();
        EXPECT_TRUE(view->OnCommand(id));
        EXPECT_TRUE(editor.lastEditMode);
        EXPECT_EQ(view->GetItemText(1, kColumnComment), "edited");
        EXPECT_EQ(view->GetItemText(1, kColumnInterval), "1234");
        EXPECT_EQ(timers->calls, QStringList({"kill 2", "set 2 1234"}));
        EXPECT_EQ(Saves(), 1);
    }
    Answer([](CEventInfo& event) { event.m_bEnabled = 0; });
    view->OnCommand(ID_EVENT_EDIT);
    EXPECT_EQ(timers->running.count(2), 0u);
    EXPECT_EQ(view->GetItemText(1, kColumnEnabled), "No");
}

TEST_F(ViewTest, CommandsWithoutTheSelectionTheyNeedShowTheirMessageAndChangeNothing) {
    Run({Event(500, true), Event(600, false)});
    view->clearSelection();
    timers->calls.clear();
    const QString single = "Please Select a Single Event from the List to Continue.";
    const QString records = "Please Select Record(s) from the List to continue.";
    const QString recordsCapital = "Please Select Record(s) from the List to Continue.";
    const std::pair<int, QString> cases[] = {
        {ID_EVENT_EDIT, single},           {ID_POPUP_EVENT_EDIT, single},
        {ID_EVENT_DELETE, records},        {ID_POPUP_EVENT_DELETE, records},
        {ID_EVENT_TOGGLE, recordsCapital}, {ID_POPUP_EVENT_TOGGLE, recordsCapital},
        {ID_POPUP_SHOW_CURSOR, single}};
    for (const auto& [id, message] : cases) {
        platform.messageBox.shown.clear();
        EXPECT_TRUE(view->OnCommand(id));
        ASSERT_EQ(platform.messageBox.shown.size(), 1u) << id;
        EXPECT_EQ(platform.messageBox.shown[0].text, message) << id;
        EXPECT_EQ(platform.messageBox.shown[0].icon, MbIcon::Information);
    }
    EXPECT_EQ(editor.runs, 0);
    EXPECT_TRUE(platform.screen.warps.empty());
    EXPECT_TRUE(timers->calls.isEmpty());
    EXPECT_EQ(view->rowCount(), 2);
    EXPECT_EQ(Saves(), 0);
}

TEST_F(ViewTest, ARowWithoutARecordIsAFaultForEditAndSkippedByTheOthers) {
    Run({Event(500, false, "a")});
    view->setItem(0, kColumnNumber, new QTableWidgetItem("1"));
    Select(0);
    view->OnCommand(ID_EVENT_EDIT);
    view->OnCommand(ID_EVENT_TOGGLE);
    view->OnCommand(ID_POPUP_SHOW_CURSOR);
    ASSERT_EQ(platform.messageBox.shown.size(), 1u);
    EXPECT_EQ(platform.messageBox.shown[0].text, "Tecnical Fault Number 1 of Software.");
    EXPECT_EQ(platform.messageBox.shown[0].icon, MbIcon::Error);
    EXPECT_EQ(editor.runs, 0);
    EXPECT_TRUE(platform.screen.warps.empty());
    EXPECT_EQ(timers->running.count(1), 0u);
}

TEST_F(ViewTest, DeleteRenumbersAndEveryEventKeepsItsOwnIntervalAndTicks) {
    Run({Event(100, true, "a"), Event(200, true, "b"), Event(300, true, "c"),
         Event(400, false, "d"), Event(500, true, "e")});
    Select(1);
    view->OnCommand(ID_EVENT_DELETE); // the fake answers No
    EXPECT_EQ(view->rowCount(), 5);
    EXPECT_EQ(Saves(), 0);

    timers->calls.clear();
    platform.messageBox.answers = {IDYES};
    EXPECT_TRUE(view->OnCommand(ID_POPUP_EVENT_DELETE));
    ASSERT_EQ(platform.messageBox.shown.size(), 2u);
    EXPECT_EQ(platform.messageBox.shown[1].text,
              "Are you sure you wish to Delete Selected Records ?");
    EXPECT_EQ(platform.messageBox.shown[1].buttons, MbButtons::YesNo);
    EXPECT_EQ(Column(kColumnNumber), QStringList({"1", "2", "3", "4"}));
    EXPECT_EQ(Column(kColumnComment), QStringList({"a", "c", "d", "e"}));
    EXPECT_EQ(timers->running, Timers({{1, 100}, {2, 300}, {4, 500}}));
    EXPECT_EQ(timers->calls,
              QStringList({"kill 2", "kill 3", "set 2 300", "kill 4", "kill 5", "set 4 500"}));
    EXPECT_EQ(Saves(), 1);

    // Each number's tick samples the event now shown under it.
    platform.screen.background = kOther;
    tick(2);
    tick(4);
    tick(5); // no row 5 any more
    EXPECT_EQ(Column(kColumnCount),
              QStringList({"0 Detected Out of 100", "1 Detected Out of 100",
                           "0 Detected Out of 100", "1 Detected Out of 100"}));

    Answer([](CEventInfo& event) { event.m_nInterval = 600; });
    view->OnCommand(ID_EVENT_NEW);
    EXPECT_EQ(timers->running.at(5), 600u);
    EXPECT_EQ(timers->running.at(4), 500u);
}

TEST_F(ViewTest, DeletingTheLastRowStillSavesAnEmptyList) {
    Run({Event(100, true, "only")});
    const QString path = FreshDataFile();
    ASSERT_TRUE(doc.OnSaveDocument(path));
    Select(0);
    platform.messageBox.answers = {IDYES};
    view->OnCommand(ID_EVENT_DELETE);
    EXPECT_TRUE(timers->running.empty());
    EXPECT_EQ(Saves(), 1);
    EXPECT_EQ(QFileInfo(path).size(), 16);
}

TEST_F(ViewTest, EnablingASpentEventStartsItAfreshAndDisablingKeepsItsCount) {
    CEventInfo spent = Event(700, false, "spent");
    spent.m_nMaxCount = 3;
    spent.m_nDetectCount = 3;
    Run({Event(100, true), spent});
    Select(1);
    EXPECT_TRUE(view->OnCommand(ID_EVENT_TOGGLE));
    EXPECT_EQ(view->GetItemText(1, kColumnCount), "0 Detected Out of 3");
    EXPECT_EQ(timers->running.at(2), 700u);
    EXPECT_EQ(Saves(), 1);

    platform.screen.background = kOther;
    tick(2);
    EXPECT_TRUE(view->OnCommand(ID_POPUP_EVENT_TOGGLE));
    EXPECT_EQ(view->GetItemText(1, kColumnCount), "1 Detected Out of 3");
    EXPECT_EQ(view->GetItemText(1, kColumnEnabled), "No");
    EXPECT_EQ(timers->running, Timers({{1, 100}}));

    view->GetItemData(1)->m_bEnabled = 5; // any non-zero flag is enabled
    view->OnCommand(ID_EVENT_TOGGLE);
    EXPECT_EQ(view->GetItemData(1)->m_bEnabled, 0);
}

TEST_F(ViewTest, ShowCursorPositionAndTheWebsiteCommandSaveNothing) {
    CEventInfo event = Event(100, true);
    event.m_ptLocation = QPoint(-1200, 2400);
    Run({Event(100, true), event});
    Select(1);
    EXPECT_TRUE(view->OnCommand(ID_POPUP_SHOW_CURSOR));
    EXPECT_EQ(platform.screen.warps, std::vector<QPoint>({QPoint(-1200, 2400)}));
    EXPECT_TRUE(view->OnCommand(ID_HELP_WEBSITE));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !platform.launcher.calls.isEmpty(); }, 5000));
    ASSERT_EQ(platform.launcher.calls.size(), 1);
    EXPECT_TRUE(platform.launcher.calls[0].contains(WebsiteUrl()));
    EXPECT_TRUE(platform.messageBox.shown.empty());
    EXPECT_EQ(Saves(), 0);
}

TEST_F(ViewTest, ADetectionDuringAnEditCountsThenTheConfirmedValuesShow) {
    Run({Event(100, true, "a"), Event(200, true, "before")});
    Select(1);
    platform.screen.background = kOther;
    QString shownDuringEdit;
    CEventInfo seenByTick;
    Answer([&](CEventInfo& event) {
        tick(2); // the timer fires while the editor runs its own loop
        shownDuringEdit = view->GetItemText(1, kColumnCount);
        seenByTick = event;
        event.m_sComment = "after";
        event.m_nInterval = 250;
        event.m_nDetectCount = 0;
    });
    view->OnCommand(ID_EVENT_EDIT);
    EXPECT_EQ(shownDuringEdit, "1 Detected Out of 100");
    EXPECT_EQ(seenByTick.m_nDetectCount, 1);
    EXPECT_EQ(seenByTick.m_sComment, "before");
    EXPECT_EQ(view->GetItemText(1, kColumnComment), "after");
    EXPECT_EQ(view->GetItemText(1, kColumnCount), "0 Detected Out of 100");
    EXPECT_EQ(timers->running.at(2), 250u);
    EXPECT_EQ(Saves(), 1) << "the detection's save, still queued, takes in the edit's";
}

TEST_F(ViewTest, ADetectionBringsItsRowIntoView) {
    Run(std::vector<CEventInfo>(300, Event(100, true)));
    frame.show();
    view->scrollToTop();
    QTableWidgetItem* last = view->item(299, kColumnCount);
    ASSERT_FALSE(view->viewport()->rect().contains(view->visualItemRect(last)));
    platform.screen.background = kOther;
    tick(300);
    EXPECT_EQ(last->text(), "1 Detected Out of 100");
    EXPECT_TRUE(view->viewport()->rect().contains(view->visualItemRect(last)));
}

TEST_F(ViewTest, KeysDoubleClicksAndTheContextMenuReachTheCommandsOnce) {
    Run({Event(100, true, "a"), Event(200, true, "b")});
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    view->setFocus();
    // The frame's accelerators for the same keys must not fire a second time.
    int acceleratorRuns = 0;
    for (const auto& [key, id] :
         {std::pair{Qt::Key_Return, ID_EVENT_EDIT}, std::pair{Qt::Key_Delete, ID_EVENT_DELETE}}) {
        auto* action = new QAction(&frame);
        action->setShortcut(QKeySequence(key));
        QObject::connect(action, &QAction::triggered, &frame, [&, id = id] {
            ++acceleratorRuns;
            view->OnCommand(id);
        });
        frame.addAction(action);
    }
    Select(1);
    QTest::keyClick(view.get(), Qt::Key_Return);
    QTest::keyClick(view.get(), Qt::Key_Enter, Qt::KeypadModifier);
    const QPoint cell = view->visualItemRect(view->item(1, kColumnComment)).center();
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(editor.runs, 3);
    EXPECT_TRUE(editor.lastEditMode);

    view->clearSelection();
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                       QPoint(20, view->viewport()->height() - 5));
    EXPECT_EQ(editor.runs, 3);
    ASSERT_EQ(platform.messageBox.shown.size(), 1u);

    Select(0);
    platform.messageBox.answers = {IDYES};
    QTest::keyClick(view.get(), Qt::Key_Delete);
    EXPECT_EQ(Column(kColumnComment), QStringList({"b"}));
    EXPECT_EQ(acceleratorRuns, 0);

    const QPoint local = view->visualItemRect(view->item(0, kColumnNumber)).center();
    const QPoint global = view->viewport()->mapToGlobal(local);
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, local, global);
    QCoreApplication::sendEvent(view->viewport(), &menuEvent);
    QMenu* menu = view->ContextMenu();
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->pos(), global);
    menu->close();
    const auto action = [menu](int id) {
        for (QAction* a : menu->actions())
            if (a->data().toInt() == id)
                return a;
        return static_cast<QAction*>(nullptr);
    };
    Select(0);
    action(ID_POPUP_EVENT_TOGGLE)->trigger();
    EXPECT_EQ(view->GetItemText(0, kColumnEnabled), "No");
    // Adding is posted: the editor opens only once the menu has closed.
    action(ID_POPUP_EVENT_NEW)->trigger();
    EXPECT_EQ(editor.runs, 3);
    Deliver();
    EXPECT_EQ(editor.runs, 4);
    EXPECT_FALSE(editor.lastEditMode);
}

} // namespace
