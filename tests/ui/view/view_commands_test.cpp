// Add, edit, delete, enable/disable and show-location on the list, each with its messages and
// the save request that keeps the data file in step.
#include "platform/browser/help_links.h"
#include "view_fixture.h"

#include <QFileInfo>

namespace {

using CommandsTest = ViewFixture;

constexpr COLORREF kOther = RGB(200, 100, 50);

TEST_F(CommandsTest, AddAppendsNumbersSelectsMarksModifiedAndSaves) {
    Start({Event(500, true, "a"), Event(600, true, "b")});
    Deliver();
    Select(0);
    editor.onRun = [](CEventInfo& event) {
        event.m_sComment = "new";
        event.m_nInterval = 900;
        return true;
    };
    EXPECT_TRUE(view->OnCommand(ID_EVENT_NEW));
    EXPECT_EQ(Column(kColumnNumber), QStringList({"1", "2", "3"}));
    EXPECT_EQ(view->GetItemText(2, kColumnComment), "new");
    EXPECT_EQ(view->currentRow(), 2);
    EXPECT_EQ(view->selectionModel()->selectedRows().size(), 1);
    EXPECT_TRUE(view->selectionModel()->isRowSelected(2, {}));
    EXPECT_EQ(timers->running.at(3), 900u);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(Saves(), 1);

    // A disabled event gets its row but no timer.
    editor.onRun = [](CEventInfo& event) {
        event.m_bEnabled = 0;
        return true;
    };
    view->OnCommand(ID_EVENT_NEW);
    EXPECT_EQ(view->rowCount(), 4);
    EXPECT_EQ(timers->running.count(4), 0u);
    EXPECT_EQ(Saves(), 1);
}

TEST_F(CommandsTest, CancelledAddChangesNothing) {
    Start({Event(500, true)});
    Deliver();
    view->OnCommand(ID_EVENT_NEW);
    EXPECT_EQ(editor.runs, 1);
    EXPECT_EQ(view->rowCount(), 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Saves(), 0);
}

TEST_F(CommandsTest, ConfirmedEditShowsTheValuesAndRestartsTheTimer) {
    Start({Event(500, true, "a"), Event(600, true, "b")});
    Deliver();
    Select(1);
    editor.onRun = [](CEventInfo& event) {
        event.m_sComment = "edited";
        event.m_nInterval = 1234;
        return true;
    };
    for (const int id : {ID_EVENT_EDIT, ID_POPUP_EVENT_EDIT}) {
        const int runs = editor.runs;
        timers->calls.clear();
        EXPECT_TRUE(view->OnCommand(id));
        EXPECT_EQ(editor.runs, runs + 1);
        EXPECT_TRUE(editor.lastEditMode);
        EXPECT_EQ(view->GetItemText(1, kColumnComment), "edited");
        EXPECT_EQ(view->GetItemText(1, kColumnInterval), "1234");
        EXPECT_EQ(timers->calls, QStringList({"kill 2", "set 2 1234"}));
        EXPECT_EQ(Saves(), 1);
    }

    // Disabling in the editor stops the timer.
    editor.onRun = [](CEventInfo& event) {
        event.m_bEnabled = 0;
        return true;
    };
    view->OnCommand(ID_EVENT_EDIT);
    EXPECT_EQ(timers->running.count(2), 0u);
    EXPECT_EQ(view->GetItemText(1, kColumnEnabled), "No");
}

TEST_F(CommandsTest, CancelledEditLeavesRecordRowAndTimer) {
    Start({Event(500, true, "a")});
    Deliver();
    Select(0);
    editor.onRun = [](CEventInfo&) { return false; };
    timers->calls.clear();
    view->OnCommand(ID_EVENT_EDIT);
    EXPECT_EQ(editor.runs, 1);
    EXPECT_TRUE(timers->calls.isEmpty());
    EXPECT_EQ(Saves(), 0);
}

TEST_F(CommandsTest, CommandsWithoutTheSelectionTheyNeedShowTheirMessageAndChangeNothing) {
    Start({Event(500, true), Event(600, false)});
    Deliver();
    view->clearSelection();
    timers->calls.clear();

    for (const int id : {ID_EVENT_EDIT, ID_POPUP_EVENT_EDIT, ID_EVENT_DELETE, ID_POPUP_EVENT_DELETE,
                         ID_EVENT_TOGGLE, ID_POPUP_EVENT_TOGGLE, ID_POPUP_SHOW_CURSOR})
        EXPECT_TRUE(view->OnCommand(id));

    const QString single = "Please Select a Single Event from the List to Continue.";
    EXPECT_EQ(ShownMessages(),
              QStringList({single, single, "Please Select Record(s) from the List to continue.",
                           "Please Select Record(s) from the List to continue.",
                           "Please Select Record(s) from the List to Continue.",
                           "Please Select Record(s) from the List to Continue.", single}));
    for (const auto& shown : platform.messageBox.shown) {
        EXPECT_EQ(shown.buttons, MbButtons::Ok);
        EXPECT_EQ(shown.icon, MbIcon::Information);
    }
    EXPECT_EQ(editor.runs, 0);
    EXPECT_TRUE(platform.screen.warps.empty());
    EXPECT_TRUE(timers->calls.isEmpty());
    EXPECT_EQ(view->rowCount(), 2);
    EXPECT_EQ(Saves(), 0);
}

TEST_F(CommandsTest, ARowWithoutARecordIsAFaultForEditAndSkippedByTheOthers) {
    Start({Event(500, false, "a")});
    Deliver();
    view->setItem(0, kColumnNumber, new QTableWidgetItem("1"));
    Select(0);

    view->OnCommand(ID_EVENT_EDIT);
    ASSERT_EQ(platform.messageBox.shown.size(), 1u);
    EXPECT_EQ(platform.messageBox.shown[0].text, "Tecnical Fault Number 1 of Software.");
    EXPECT_EQ(platform.messageBox.shown[0].icon, MbIcon::Error);
    EXPECT_EQ(editor.runs, 0);

    view->OnCommand(ID_EVENT_TOGGLE);
    view->OnCommand(ID_POPUP_SHOW_CURSOR);
    EXPECT_TRUE(platform.screen.warps.empty());
    EXPECT_EQ(platform.messageBox.shown.size(), 1u);
    EXPECT_EQ(timers->running.count(1), 0u);
}

TEST_F(CommandsTest, DeleteInTheMiddleRenumbersAndEveryEventKeepsItsOwnInterval) {
    Start({Event(100, true, "a"), Event(200, true, "b"), Event(300, true, "c"),
           Event(400, false, "d"), Event(500, true, "e")});
    Deliver();
    Select(1);
    platform.messageBox.answers = {IDYES};
    EXPECT_TRUE(view->OnCommand(ID_EVENT_DELETE));

    ASSERT_EQ(platform.messageBox.shown.size(), 1u);
    EXPECT_EQ(platform.messageBox.shown[0].text,
              "Are you sure you wish to Delete Selected Records ?");
    EXPECT_EQ(platform.messageBox.shown[0].buttons, MbButtons::YesNo);
    EXPECT_EQ(platform.messageBox.shown[0].icon, MbIcon::Question);
    EXPECT_EQ(Column(kColumnNumber), QStringList({"1", "2", "3", "4"}));
    EXPECT_EQ(Column(kColumnComment), QStringList({"a", "c", "d", "e"}));
    const std::map<std::uintptr_t, std::uint32_t> expected{{1, 100}, {2, 300}, {4, 500}};
    EXPECT_EQ(timers->running, expected);
    EXPECT_EQ(Saves(), 1);

    // Each number's tick samples the event now shown under it.
    platform.screen.background = kOther;
    tick(2);
    tick(4);
    EXPECT_EQ(Column(kColumnCount),
              QStringList({"0 Detected Out of 100", "1 Detected Out of 100",
                           "0 Detected Out of 100", "1 Detected Out of 100"}));
    tick(5); // no row 5 any more
    EXPECT_EQ(view->GetItemData(3)->m_nDetectCount, 1);

    editor.onRun = [](CEventInfo& event) {
        event.m_nInterval = 600;
        return true;
    };
    view->OnCommand(ID_EVENT_NEW);
    EXPECT_EQ(Column(kColumnNumber), QStringList({"1", "2", "3", "4", "5"}));
    EXPECT_EQ(timers->running.at(5), 600u);
    EXPECT_EQ(timers->running.at(4), 500u);
}

TEST_F(CommandsTest, DeleteStopsTheRowsTimerAndMovesTheOthersToTheirNewNumbers) {
    Start({Event(100, true, "a"), Event(200, true, "b"), Event(300, true, "c")});
    Deliver();
    Select(0);
    timers->calls.clear();
    platform.messageBox.answers = {IDYES};
    view->OnCommand(ID_POPUP_EVENT_DELETE);
    EXPECT_EQ(timers->calls, QStringList({"kill 1", "kill 2", "set 1 200", "kill 3", "set 2 300"}));
}

TEST_F(CommandsTest, DeleteAnsweredNoKeepsEverything) {
    Start({Event(100, true, "a"), Event(200, true, "b")});
    Deliver();
    Select(0);
    timers->calls.clear();
    view->OnCommand(ID_EVENT_DELETE); // the fake answers No
    EXPECT_EQ(view->rowCount(), 2);
    EXPECT_TRUE(timers->calls.isEmpty());
    EXPECT_EQ(Saves(), 0);
}

TEST_F(CommandsTest, DeletingTheLastRowStillSavesAndTheFileThenHoldsNoEvents) {
    Start({Event(100, true, "only")});
    Deliver();
    QString path;
    GetDataFilePath(path);
    ASSERT_TRUE(doc.OnSaveDocument(path));
    ASSERT_GT(QFileInfo(path).size(), 16);

    Select(0);
    platform.messageBox.answers = {IDYES};
    view->OnCommand(ID_EVENT_DELETE);
    EXPECT_EQ(view->rowCount(), 0);
    EXPECT_TRUE(timers->running.empty());
    EXPECT_EQ(Saves(), 1);
    EXPECT_EQ(QFileInfo(path).size(), 16);
    EXPECT_TRUE(doc.m_arrEvents.empty());
}

TEST_F(CommandsTest, EnablingAnEventThatReachedItsMaximumStartsItAfreshFromZero) {
    CEventInfo spent = Event(700, false, "spent");
    spent.m_nMaxCount = 3;
    spent.m_nDetectCount = 3;
    Start({Event(100, true), spent});
    Deliver();
    Select(1);

    EXPECT_TRUE(view->OnCommand(ID_EVENT_TOGGLE));
    EXPECT_EQ(view->GetItemText(1, kColumnCount), "0 Detected Out of 3");
    EXPECT_EQ(view->GetItemText(1, kColumnEnabled), "Yes");
    EXPECT_EQ(timers->running.at(2), 700u);
    EXPECT_EQ(Saves(), 1);

    // Counted again, then disabled by the menu: the count stays where it stood.
    platform.screen.background = kOther;
    tick(2);
    EXPECT_TRUE(view->OnCommand(ID_POPUP_EVENT_TOGGLE));
    EXPECT_EQ(view->GetItemText(1, kColumnCount), "1 Detected Out of 3");
    EXPECT_EQ(view->GetItemText(1, kColumnEnabled), "No");
    EXPECT_EQ(timers->running.count(2), 0u);
    EXPECT_EQ(timers->running.at(1), 100u);

    // Any non-zero flag counts as enabled and is turned off.
    view->GetItemData(1)->m_bEnabled = 5;
    view->OnCommand(ID_EVENT_TOGGLE);
    EXPECT_EQ(view->GetItemData(1)->m_bEnabled, 0);
}

TEST_F(CommandsTest, ShowCursorPositionWarpsToTheSelectedEventsLocation) {
    CEventInfo event = Event(100, true);
    event.m_ptLocation = QPoint(-1200, 2400);
    Start({Event(100, true), event});
    Deliver();
    Select(1);
    EXPECT_TRUE(view->OnCommand(ID_POPUP_SHOW_CURSOR));
    EXPECT_EQ(platform.screen.warps, std::vector<QPoint>({QPoint(-1200, 2400)}));
    EXPECT_TRUE(platform.messageBox.shown.empty());
    EXPECT_EQ(Saves(), 0);
}

TEST_F(CommandsTest, ADetectionWhileTheEditorIsOpenOnTheRowThenTheConfirmedValuesShow) {
    Start({Event(100, true, "a"), Event(200, true, "before")});
    Deliver();
    Select(1);
    platform.screen.background = kOther;
    QString shownDuringEdit;
    CEventInfo seenByTick;
    editor.onRun = [&](CEventInfo& event) {
        tick(2); // the timer fires while the editor runs its own loop
        shownDuringEdit = view->GetItemText(1, kColumnCount);
        seenByTick = event;
        event.m_sComment = "after";
        event.m_nInterval = 250;
        event.m_nDetectCount = 0; // the editor restarts the count of an enabled event
        return true;
    };
    view->OnCommand(ID_EVENT_EDIT);

    EXPECT_EQ(shownDuringEdit, "1 Detected Out of 100");
    EXPECT_EQ(seenByTick.m_nDetectCount, 1);
    EXPECT_EQ(seenByTick.m_sComment, "before");
    EXPECT_EQ(seenByTick.m_nInterval, 200);
    EXPECT_EQ(view->GetItemText(1, kColumnComment), "after");
    EXPECT_EQ(view->GetItemText(1, kColumnCount), "0 Detected Out of 100");
    EXPECT_EQ(view->GetItemText(1, kColumnInterval), "250");
    EXPECT_EQ(timers->running.at(2), 250u);
    // The detection's save, still queued, takes in the edit's.
    EXPECT_EQ(Saves(), 1);
}

TEST_F(CommandsTest, ADetectionBringsItsRowIntoViewWithTheNewCount) {
    std::vector<CEventInfo> events(300, Event(100, true));
    Start(events);
    Deliver();
    frame.show();
    view->scrollToTop();
    QTableWidgetItem* last = view->item(299, kColumnCount);
    ASSERT_FALSE(view->viewport()->rect().contains(view->visualItemRect(last)));

    platform.screen.background = kOther;
    tick(300);
    EXPECT_EQ(last->text(), "1 Detected Out of 100");
    EXPECT_TRUE(view->viewport()->rect().contains(view->visualItemRect(last)));
    EXPECT_EQ(Saves(), 1);
}

TEST_F(CommandsTest, TheWebsiteCommandOpensTheProductPageOnceAndSavesNothing) {
    Start({Event(100, true)});
    Deliver();
    EXPECT_TRUE(view->OnCommand(ID_HELP_WEBSITE));
    // Started directly when the desktop names a browser, else through the desktop's opener.
    ASSERT_EQ(platform.launcher.calls.size(), 1);
    EXPECT_TRUE(platform.launcher.calls[0].contains(WebsiteUrl()))
        << platform.launcher.calls[0].toStdString();
    EXPECT_EQ(Saves(), 0);
}

} // namespace
