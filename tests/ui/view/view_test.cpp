// The event list over fakes: rows, commands, messages, saves, timers, placement and input.
#include "fakes/view_window.h"
#include "platform/browser/help_links.h"
#include "support/processes.h"
#include "support/records.h"
#include "ui/view/window_placement.h"

#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr COLORREF kOther = RGB(200, 100, 50);
using Timers = std::map<std::uintptr_t, std::uint32_t>;

// In change mode: a detection whenever the pixel differs.
CEventInfo Event(int interval, bool enabled, const QString& comment = {}) {
    CEventInfo event;
    event.m_nInterval = interval;
    event.m_bEnabled = enabled ? 1 : 0;
    event.m_sComment = comment;
    event.m_nMaxCount = 100;
    event.m_bAudioAlert = event.m_bExecute = event.m_bOnlySpecificColor = 0;
    event.m_clrMatch = RGB(1, 2, 3);
    return event;
}

class ViewTest : public ::testing::Test, public ViewWindow {
protected:
    // Opens the view with its initial update; the work it posts waits for Deliver().
    void Run(const std::vector<CEventInfo>& events) {
        Open(events, [this](TicksHandler onTicks) {
            tick = [onTicks](std::uintptr_t id) { onTicks({&id, 1}); };
            auto host = std::make_unique<FakeTimerHost>();
            timers = host.get();
            return host;
        });
        view->OnInitialUpdate();
    }
    // Delivers everything posted so far; returns the commands that reached the frame then.
    std::vector<int> Deliver() {
        commands.received.clear();
        QCoreApplication::sendPostedEvents();
        return commands.received;
    }
    int Saves() {
        Deliver();
        return commands.Count(ID_FILE_SAVE);
    }
    // Path of the data file, emptied so that a test sees what its saves write.
    static QString FreshDataFile() {
        QString path;
        GetDataFilePath(path);
        QFile::remove(path);
        return path;
    }
    QStringList Column(int column) const {
        QStringList texts;
        for (int row = 0; row < view->rowCount(); ++row)
            texts << view->GetItemText(row, column);
        return texts;
    }

    FakeTimerHost* timers = nullptr;
    std::function<void(std::uintptr_t)> tick;
};

TEST_F(ViewTest, StoredEventsGetRowsWithSwatchesOnlyEnabledOnesTickAndTheWindowItsPlace) {
    // Saved partly off the screen: it comes back whole, its size kept.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget earlier;
    earlier.setGeometry(screen.right() - 200, screen.bottom() - 100, 500, 300);
    platform.profile.values["Settings/LastLocation"] = earlier.saveGeometry();
    Run({Event(500, true, "a"), Event(700, false, "b"), Event(250, true, "c")});
    EXPECT_TRUE(screen.contains(frame.geometry()));
    EXPECT_EQ(frame.geometry().size(), QSize(500, 300));
    EXPECT_EQ(Column(kColumnComment), QStringList({"a", "b", "c"}));
    EXPECT_EQ(Column(kColumnEnabled), QStringList({"Yes", "No", "Yes"}));
    EXPECT_TRUE(view->showGrid());
    EXPECT_EQ(timers->running, Timers({{1, 500}, {3, 250}}));
    EXPECT_TRUE(Deliver().empty()) << "stored events mean no editor for a new one";

    EXPECT_EQ(view->GetItemData(3), nullptr);
    // The colour's words beside a swatch of it.
    const QTableWidgetItem* colour = view->item(0, kColumnColor);
    EXPECT_EQ(colour->text(), "Red 1 Green 2 Blue 3");
    EXPECT_EQ(colour->icon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(1, 2, 3));
}

TEST(KeepOnScreenTest, MovesIntoTheNearestScreenKeepingTheSizeWhereItFits) {
    const QRect left(0, 0, 1920, 1040);     // a 1920 x 1080 monitor less its panel
    const QRect right(1920, 0, 1280, 1024); // a smaller one to its right
    const QRect scaled(0, 0, 1280, 693);    // the left monitor at 150 %
    const QList<QRect> both{left, right};
    const struct {
        QRect window;
        QList<QRect> screens;
        QRect expected;
    } cases[] = {
        {{624, 200, 800, 400}, {scaled}, {480, 200, 800, 400}}, // off the right edge
        {{1700, 100, 800, 400}, both, {1920, 100, 800, 400}},   // into the one it covers most
        {{-300, -200, 800, 400}, both, {0, 0, 800, 400}},       // above and left of all
        {{4000, 2000, 800, 400}, both, {2400, 624, 800, 400}},  // beyond all: the closest
        {{-50, 300, 2000, 1200}, {left}, {0, 0, 1920, 1040}},   // larger: shrunk to it
        {{100, 500, 800, 900}, {scaled}, {100, 0, 800, 693}},   // taller only: width kept
        {{-300, -200, 800, 400}, {}, {-300, -200, 800, 400}},   // no screens: unchanged
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeepOnScreen(c.window, c.screens), c.expected) << c.window.x();
}

TEST_F(ViewTest, AddAndEditShowTheConfirmedValuesAndSetTheTimerButACancelChangesNothing) {
    Run({Event(500, true, "a"), Event(600, true, "b")});
    view->OnCommand(ID_EVENT_NEW); // the scripted editor cancels
    view->selectRow(0);            // the first row is a row like any other
    view->OnCommand(ID_EVENT_EDIT);
    EXPECT_EQ(editor.runs, 2);
    EXPECT_EQ(view->rowCount(), 2);
    EXPECT_EQ(Saves(), 0);
    EXPECT_FALSE(doc.IsModified());

    editor.answer = ([](CEventInfo& event) {
        event.m_sComment = "new";
        event.m_nInterval = 900;
    });
    EXPECT_TRUE(view->OnCommand(ID_EVENT_NEW));
    EXPECT_EQ(Column(kColumnNumber), QStringList({"1", "2", "3"}));
    EXPECT_EQ(view->GetItemText(2, kColumnComment), "new");
    EXPECT_TRUE(view->selectionModel()->isRowSelected(2, {}));
    EXPECT_EQ(timers->running.at(3), 900u);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(Saves(), 1);

    editor.answer = ([](CEventInfo& event) {
        event.m_sComment = "edited";
        event.m_nInterval = 1234;
        event.m_clrMatch = kOther;
    });
    view->selectRow(1);
    timers->calls.clear();
    EXPECT_TRUE(view->OnCommand(ID_POPUP_EVENT_EDIT));
    EXPECT_EQ(view->GetItemText(1, kColumnComment), "edited");
    EXPECT_EQ(view->GetItemText(1, kColumnInterval), "1234");
    EXPECT_EQ(view->item(1, kColumnColor)->icon().pixmap(16, 16).toImage().pixelColor(8, 8),
              QColor(200, 100, 50));
    EXPECT_EQ(timers->calls, QStringList({"kill 2", "set 2 1234"}));
    EXPECT_EQ(Saves(), 1);
}

TEST_F(ViewTest, CommandsWithoutTheSelectionTheyNeedShowTheirMessageAndChangeNothing) {
    CEventInfo placed = Event(600, false);
    placed.m_ptLocation = QPoint(-1200, 2400);
    Run({placed, Event(500, true)});
    view->clearSelection();
    const QString single = "Please Select a Single Event from the List to Continue.";
    const QString records = "Please Select Record(s) from the List to continue.";
    const QString toggle = "Please Select Record(s) from the List to Continue.";
    const std::pair<int, QString> cases[] = {
        {ID_EVENT_EDIT, single},       {ID_POPUP_EVENT_EDIT, single},
        {ID_EVENT_DELETE, records},    {ID_POPUP_EVENT_DELETE, records},
        {ID_EVENT_TOGGLE, toggle},     {ID_POPUP_EVENT_TOGGLE, toggle},
        {ID_POPUP_SHOW_CURSOR, single}};
    for (const auto& [id, message] : cases) {
        platform.messageBox.shown.clear();
        EXPECT_TRUE(view->OnCommand(id));
        EXPECT_EQ(platform.messageBox.Texts(), QStringList{message}) << id;
    }
    EXPECT_EQ(Saves(), 0);

    // Show Cursor Position and the website need no save; the first row is a row like any other.
    view->selectRow(0);
    EXPECT_TRUE(view->OnCommand(ID_POPUP_SHOW_CURSOR));
    EXPECT_EQ(platform.screen.warps, std::vector<QPoint>({QPoint(-1200, 2400)}));
    EXPECT_TRUE(view->OnCommand(ID_HELP_WEBSITE));
    EXPECT_TRUE(view->OnCommand(ID_POPUP_EVENT_NEW)); // the editor opens later, and is cancelled
    ASSERT_TRUE(QTest::qWaitFor([&] { return !platform.launcher.calls.isEmpty(); }, 5000));
    ASSERT_EQ(platform.launcher.calls.size(), 1);
    EXPECT_TRUE(platform.launcher.calls[0].contains(WebsiteUrl()));
    EXPECT_EQ(platform.messageBox.Texts().size(), 1);
    EXPECT_EQ(Saves(), 0);
}

TEST_F(ViewTest, DeleteRenumbersAndEveryEventKeepsItsOwnIntervalAndTicks) {
    Run({Event(100, true, "a"), Event(200, true, "b"), Event(300, true, "c"),
         Event(400, false, "d"), Event(500, true, "e")});
    view->selectRow(1);
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
}

TEST_F(ViewTest, AnEmptyListAsksForAnEventOnceTheWindowRunsAndDeletingTheLastRowSavesItEmpty) {
    Run({});
    const QString path = FreshDataFile();
    editor.answer = [](CEventInfo&) {};
    EXPECT_EQ(editor.runs, 0);
    EXPECT_EQ(Deliver(), std::vector<int>({ID_EVENT_NEW}));
    EXPECT_EQ(Saves(), 1);
    ASSERT_EQ(view->rowCount(), 1);
    platform.messageBox.answers = {IDYES};
    view->OnCommand(ID_EVENT_DELETE); // the new row is the selected one
    EXPECT_EQ(Saves(), 1);
    EXPECT_EQ(QFileInfo(path).size(), 16);
}

TEST_F(ViewTest, ToggleRestartsASpentEventAndAQueuedSaveOutlivesTheRowsWhenTheWindowGoes) {
    CEventInfo spent = Event(700, false, "spent");
    spent.m_nMaxCount = 3;
    spent.m_nDetectCount = 3;
    Run({Event(100, true), spent});
    const QString path = FreshDataFile();
    view->selectRow(1);
    EXPECT_TRUE(view->OnCommand(ID_EVENT_TOGGLE));
    EXPECT_EQ(view->GetItemText(1, kColumnCount), "0 Detected Out of 3");
    EXPECT_EQ(timers->running.at(2), 700u);
    EXPECT_EQ(Saves(), 1);

    view->GetItemData(1)->m_nDetectCount = 1;
    view->GetItemData(1)->m_bEnabled = 5; // any non-zero flag is enabled
    EXPECT_TRUE(view->OnCommand(ID_POPUP_EVENT_TOGGLE));
    EXPECT_EQ(timers->running, Timers({{1, 100}}));
    // Its save is still queued when the window goes.
    view->OnDestroy();
    view->OnDestroy(); // as the destructor calls it again
    EXPECT_EQ(platform.profile.values.value("Settings/LastLocation").toByteArray(),
              frame.saveGeometry());
    EXPECT_TRUE(timers->running.empty());
    EXPECT_EQ(Saves(), 1);
    const auto saved = EventsOf(ReadFile(path));
    ASSERT_TRUE(saved && saved->size() == 2);
    EXPECT_EQ((*saved)[1].m_bEnabled, 0);
    EXPECT_EQ((*saved)[1].m_nDetectCount, 1) << "disabling keeps the count";
}

TEST_F(ViewTest, ADetectionDuringAnEditCountsThenTheConfirmedValuesShow) {
    Run({Event(100, true, "a"), Event(200, true, "before")});
    view->selectRow(1);
    platform.screen.background = kOther;
    QString shownDuringEdit;
    CEventInfo seenByTick;
    editor.answer = ([&](CEventInfo& event) {
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

TEST_F(ViewTest, AnUnknownVerbAndAFailedLaunchAreNamedOncePerEvent) {
    auto launching = [](const QString& verb, int execute, const QString& comment) {
        CEventInfo event = Event(100, true, comment);
        event.m_bExecute = execute;
        event.m_sCommand = verb;
        event.m_sFilePath = "/tmp/x.txt";
        return event;
    };
    Run({launching("Opne", 1, "door bell"), launching("EDIT", 1, ""),
         launching("Opne", 0, "no launch"), launching("Opne", 1, "")});
    platform.screen.background = RGB(200, 0, 0); // every point differs: each tick detects
    QStringList notes;
    QObject::connect(view.get(), &CTintwatchView::StatusNote,
                     [&](const QString& text) { notes << text; });
    tick(1);
    ASSERT_EQ(notes, QStringList{"Event 1 (\"door bell\"): the verb \"Opne\" is not one of open, "
                                 "edit, print and explore, so nothing was opened."});
    tick(1);
    EXPECT_EQ(notes.size(), 1) << "said once, not at every detection";
    // Known verbs, whatever their case, and events that launch nothing are not mentioned.
    tick(2);
    tick(3);
    EXPECT_EQ(notes.size(), 1);
    tick(4);
    ASSERT_EQ(notes.size(), 2);
    EXPECT_TRUE(notes[1].startsWith("Event 4: the verb \"Opne\"")) << notes[1].toStdString();
    // A launch that fails is named once, and again only after one has started in between.
    for (const char* failure : {"Exec format error", "No such file", "", "", "Exec format error"}) {
        platform.launcher.failure = failure;
        tick(2);
    }
    ASSERT_EQ(notes.size(), 4);
    EXPECT_EQ(notes[2], "Event 2: EDIT \"/tmp/x.txt\" failed: Exec format error.");
    EXPECT_EQ(notes[3], notes[2]);
}

TEST_F(ViewTest, KeysDoubleClicksAndTheContextMenuReachTheCommandsOnce) {
    Run({Event(100, true, "a"), Event(200, true, "b")});
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    view->setFocus();
    // The frame's accelerators for the same keys must not fire a second time.
    int acceleratorRuns = 0;
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Delete}) {
        auto* action = new QAction(&frame);
        action->setShortcut(QKeySequence(key));
        QObject::connect(action, &QAction::triggered, &frame, [&] { ++acceleratorRuns; });
        frame.addAction(action);
    }
    view->selectRow(1);
    QTest::keyClick(view.get(), Qt::Key_Return);
    QTest::keyClick(view.get(), Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(view.get(), Qt::Key_Return, Qt::ShiftModifier); // not a command
    const QPoint cell = view->visualItemRect(view->item(1, kColumnComment)).center();
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(editor.runs, 3);
    EXPECT_TRUE(editor.lastEditMode);

    QTest::keyClick(view.get(), Qt::Key_Up); // other keys move in the list as ever
    platform.messageBox.answers = {IDYES};
    QTest::keyClick(view.get(), Qt::Key_Delete);
    EXPECT_EQ(Column(kColumnComment), QStringList({"b"}));
    EXPECT_EQ(acceleratorRuns, 0);
    for (int i = 0; i < 40; ++i) // each new row is shown, the first scrolled away
        view->AddEventRow(Event(100, true));
    tick(1);
    EXPECT_EQ(view->rowAt(0), 0) << "a detection shows its row";

    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
    QCoreApplication::sendEvent(view->viewport(), &menuEvent);
    QMenu* menu = view->ContextMenu();
    ASSERT_TRUE(menu->isVisible());
    menu->close();
    // Adding is posted: the editor opens only once the menu has closed.
    for (QAction* action : menu->actions())
        if (action->data().toInt() == ID_POPUP_EVENT_NEW)
            action->trigger();
    EXPECT_EQ(editor.runs, 3);
    Deliver();
    EXPECT_EQ(editor.runs, 4);
    EXPECT_FALSE(editor.lastEditMode);
}

} // namespace
