// The main frame on Qt's offscreen platform: its menus, toolbar and keys carry the right
// commands, commands travel frame -> view -> application, and every way out closes the same way.
#include "engine/main_frame_pointer.h"
#include "fakes/fake_platform.h"
#include "recording_target.h"
#include "ui/frame/command_action.h"
#include "ui/frame/lock_key_indicators.h"
#include "ui/frame/main_frame.h"

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// One entry of a menu or toolbar as the user meets it: its id (0 for a separator) and text.
struct Entry {
    int id;
    QString text;
    bool operator==(const Entry&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Entry& entry) {
    return out << entry.id << " \"" << entry.text.toStdString() << '"';
}

std::vector<Entry> EntriesOf(const QList<QAction*>& actions) {
    std::vector<Entry> entries;
    for (const QAction* action : actions)
        entries.push_back(action->isSeparator() ? Entry{0, {}}
                                                : Entry{CommandIdOf(action), action->text()});
    return entries;
}

QAction* FindAction(QWidget& root, int id) {
    for (QAction* action : root.findChildren<QAction*>())
        if (CommandIdOf(action) == id && !action->menu())
            return action;
    return nullptr;
}

// QTRY_* report through Qt Test's own runner, which is not running here.
template <typename Predicate> bool WaitFor(Predicate predicate) {
    return QTest::qWaitFor(predicate, 3000);
}

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        frame = std::make_unique<CMainFrame>(platform.Services(), view, viewTarget, appTarget);
        frame->SetOnDestroyView([this] {
            // What the view relies on when it writes its settings: the icon is already gone.
            log.push_back(frame->NotificationIcon().Icon().isVisible() ? "hook, icon shown"
                                                                       : "hook");
        });
        frame->SetQuitFunction([this] { log.push_back("quit"); });
    }

    void ShowActive() {
        frame->show();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }

    FakePlatform platform;
    QWidget* view = new QWidget; // owned by the frame once it is the client
    // The view claims the save and the list's commands, as the real view (through the document)
    // does; the About command is the application's.
    RecordingTarget viewTarget{{ID_FILE_SAVE, ID_EVENT_NEW, ID_EVENT_EDIT, ID_EVENT_DELETE,
                                ID_HELP_WEBSITE, ID_POPUP_EVENT_EDIT}};
    RecordingTarget appTarget{{ID_APP_ABOUT}};
    std::unique_ptr<CMainFrame> frame;
    std::vector<std::string> log;
};

TEST_F(FrameTest, MainMenuHoldsEveryCaptionWithItsCommand) {
    const QList<QAction*> titles = frame->menuBar()->actions();
    ASSERT_EQ(titles.size(), 4);
    const std::vector<std::pair<QString, std::vector<Entry>>> expected = {
        {"&File",
         {{ID_EVENT_NEW, "New Color Matching Event...\tCtrl+N"}, {0, {}}, {ID_APP_EXIT, "E&xit"}}},
        {"&Edit",
         {{ID_EVENT_EDIT, "Edit Selected Record\tEnter"},
          {ID_EVENT_DELETE, "Delete Selected Record\tDel"},
          {0, {}},
          {ID_EVENT_TOGGLE, "Enable / Disable Change Detection for Selected Record(s)"}}},
        {"&View", {{ID_VIEW_TOOLBAR, "&Toolbar"}, {ID_VIEW_STATUS_BAR, "&Status Bar"}}},
        {"&Help",
         {{ID_APP_ABOUT, "&About Tintwatch..."},
          {0, {}},
          {ID_HELP_TUTORIAL, "Monitor Screen Changes.."},
          {0, {}},
          {ID_HELP_WEBSITE, "Tintwatch Home Page..."}}},
    };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(expected[i].first.toStdString());
        EXPECT_EQ(titles[i]->text(), expected[i].first);
        ASSERT_NE(titles[i]->menu(), nullptr);
        EXPECT_EQ(EntriesOf(titles[i]->menu()->actions()), expected[i].second);
    }
    // The hide command sits on the bar itself, at its right end, as a command and not a menu.
    auto* hide = qobject_cast<QToolButton*>(frame->menuBar()->cornerWidget(Qt::TopRightCorner));
    ASSERT_NE(hide, nullptr);
    EXPECT_EQ(hide->text(), "Hide to &Notification Area");
    QAction* hideAction = FindAction(*frame, ID_HIDE_TO_NOTIFICATION_AREA);
    ASSERT_NE(hideAction, nullptr);
    EXPECT_EQ(hideAction->text(), "Hide to &Notification Area");
}

TEST_F(FrameTest, ToolbarHasTenEntriesWithTooltipsPromptsAndImages) {
    const std::vector<Entry> expected = {
        {ID_EVENT_NEW, "Create New Color Event to Detect (Ctrl + N)"},
        {0, {}},
        {ID_POPUP_EVENT_EDIT, "Edit Selected Record"},
        {ID_POPUP_EVENT_DELETE, "Delete Selected Record"},
        {0, {}},
        {ID_POPUP_SHOW_CURSOR, "Show Cursor Position"},
        {0, {}},
        {ID_POPUP_EVENT_TOGGLE, "Enable / Disable Selected Record"},
        {0, {}},
        {ID_APP_ABOUT, "About"},
    };
    const QList<QAction*> actions = frame->ToolBar().actions();
    std::vector<Entry> tooltips;
    for (const QAction* action : actions) {
        tooltips.push_back(action->isSeparator() ? Entry{0, {}}
                                                 : Entry{CommandIdOf(action), action->toolTip()});
        if (!action->isSeparator()) {
            SCOPED_TRACE(action->toolTip().toStdString());
            EXPECT_FALSE(action->icon().pixmap(QSize(16, 15)).isNull());
        }
    }
    EXPECT_EQ(tooltips, expected);
    EXPECT_EQ(actions[0]->statusTip(), "Create New Color Event to Detect (Ctrl+N)");
    EXPECT_EQ(actions[7]->statusTip(), "Enable / Disable Selected Record");
    EXPECT_EQ(frame->ToolBar().iconSize(), QSize(16, 15));
}

TEST_F(FrameTest, PromptShowsInStatusBarWhileHoveringAndReadyReturns) {
    ShowActive();
    QWidget* newButton = frame->ToolBar().widgetForAction(frame->ToolBar().actions()[0]);
    ASSERT_NE(newButton, nullptr);
    QTest::mouseMove(newButton);
    EXPECT_TRUE(WaitFor([&] {
        return frame->statusBar()->currentMessage() ==
               QString("Create New Color Event to Detect (Ctrl+N)");
    }));
    QTest::mouseMove(view, view->rect().center());
    EXPECT_TRUE(WaitFor([&] { return frame->statusBar()->currentMessage() == QString(); }));
    const QList<QLabel*> labels = frame->statusBar()->findChildren<QLabel*>();
    const bool ready = std::any_of(labels.begin(), labels.end(), [](QLabel* label) {
        return label->text() == "Ready" && label->isVisible();
    });
    EXPECT_TRUE(ready);
}

TEST_F(FrameTest, AcceleratorsSendTheirCommandsAndSaveReachesTheView) {
    ShowActive();
    QTest::keyClick(frame.get(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(frame.get(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(frame.get(), Qt::Key_Delete);
    QTest::keyClick(frame.get(), Qt::Key_Return);
    QTest::keyClick(frame.get(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(viewTarget.received, (std::vector<int>{ID_FILE_SAVE, ID_EVENT_NEW, ID_EVENT_DELETE,
                                                     ID_EVENT_EDIT, ID_EVENT_EDIT}));
    EXPECT_TRUE(appTarget.received.empty()); // the view took them all
}

TEST_F(FrameTest, CommandsNobodyBeforeTakesReachTheApplication) {
    frame->ToolBar().actions().back()->trigger(); // About
    FindAction(*frame, ID_HELP_WEBSITE)->trigger();
    EXPECT_EQ(viewTarget.received, (std::vector<int>{ID_APP_ABOUT, ID_HELP_WEBSITE}));
    EXPECT_EQ(appTarget.received, (std::vector<int>{ID_APP_ABOUT}));
    EXPECT_FALSE(frame->OnCommand(ID_FILE_OPEN + 1000)); // unknown everywhere: reported so
}

TEST_F(FrameTest, MnemonicsOpenMenusAndAltNHides) {
    ShowActive();
    QTest::keyClick(frame.get(), Qt::Key_H, Qt::AltModifier);
    QMenu* help = frame->menuBar()->actions()[3]->menu();
    EXPECT_TRUE(WaitFor([&] { return help->isVisible(); }));
    QTest::keyClick(help, Qt::Key_A); // &About Tintwatch...
    EXPECT_TRUE(WaitFor([&] { return !help->isVisible(); }));
    EXPECT_EQ(appTarget.received, (std::vector<int>{ID_APP_ABOUT}));

    QTest::keyClick(frame.get(), Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(WaitFor([&] { return frame->isHidden(); }));
}

TEST_F(FrameTest, HideKeepsIconAndConfigureRestores) {
    ShowActive();
    frame->showMaximized();
    frame->OnCommand(ID_HIDE_TO_NOTIFICATION_AREA);
    EXPECT_TRUE(frame->isHidden());
    EXPECT_TRUE(log.empty()); // hiding is no close

    PostCommand(MainFramePointer(), ID_TRAY_CONFIGURE); // as a second instance asks
    EXPECT_TRUE(WaitFor([&] { return frame->isVisible(); }));
    EXPECT_FALSE(frame->windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(frame->windowState() & Qt::WindowMaximized); // back as it was
}

TEST_F(FrameTest, PostedSaveReachesTheViewWhileHidden) {
    ShowActive();
    frame->OnCommand(ID_HIDE_TO_NOTIFICATION_AREA);
    ASSERT_EQ(MainFramePointer(), frame.get());
    PostCommand(MainFramePointer(), ID_FILE_SAVE);
    EXPECT_TRUE(viewTarget.received.empty()); // posted: not before the caller returns
    EXPECT_TRUE(WaitFor([&] { return viewTarget.received == std::vector<int>{ID_FILE_SAVE}; }));
    EXPECT_TRUE(frame->isHidden());
}

TEST_F(FrameTest, ViewMenuShowsAndHidesTheBars) {
    ShowActive();
    QAction* toolBarItem = FindAction(*frame, ID_VIEW_TOOLBAR);
    QAction* statusBarItem = FindAction(*frame, ID_VIEW_STATUS_BAR);
    ASSERT_TRUE(toolBarItem->isCheckable() && toolBarItem->isChecked());
    toolBarItem->trigger();
    EXPECT_TRUE(frame->ToolBar().isHidden());
    EXPECT_FALSE(toolBarItem->isChecked());
    statusBarItem->trigger();
    EXPECT_TRUE(frame->statusBar()->isHidden());
    EXPECT_FALSE(statusBarItem->isChecked());
    // Hiding the window to the tray must not make the items think the bars went away.
    frame->OnCommand(ID_HIDE_TO_NOTIFICATION_AREA);
    frame->OnCommand(ID_TRAY_CONFIGURE);
    toolBarItem->trigger();
    EXPECT_FALSE(frame->ToolBar().isHidden());
    EXPECT_TRUE(toolBarItem->isChecked());
    EXPECT_FALSE(statusBarItem->isChecked());
}

TEST_F(FrameTest, EveryExitPathClosesTheSameWayOnce) {
    // Close button, File > Exit, the icon's Exit (also while hidden), and a posted Exit.
    const std::vector<std::function<void(CMainFrame&)>> paths = {
        [](CMainFrame& f) { f.close(); },
        [](CMainFrame& f) { FindAction(f, ID_APP_EXIT)->trigger(); },
        [](CMainFrame& f) {
            f.OnCommand(ID_HIDE_TO_NOTIFICATION_AREA);
            f.NotificationIcon().Menu().actions().last()->trigger();
        },
        [](CMainFrame& f) {
            f.OnCommand(ID_HIDE_TO_NOTIFICATION_AREA);
            PostCommand(&f, ID_TRAY_EXIT);
            QCoreApplication::processEvents();
        },
    };
    for (std::size_t i = 0; i < paths.size(); ++i) {
        SCOPED_TRACE(i);
        if (i > 0)
            SetUp();
        log.clear();
        frame->show();
        paths[i](*frame);
        EXPECT_EQ(log, (std::vector<std::string>{"hook", "quit"}));
        EXPECT_TRUE(frame->isHidden());
        frame->close(); // a second request while quitting changes nothing
        EXPECT_EQ(log.size(), 2u);
    }
}

TEST_F(FrameTest, ExitWithADialogOpenClosesTheDialogBeforeTheViewLetsGo) {
    frame->show();
    QDialog editor(frame.get());
    bool dialogRunningAtHook = false;
    frame->SetOnDestroyView([&] {
        dialogRunningAtHook = editor.isVisible();
        log.push_back("hook");
    });
    QTimer::singleShot(0, [&] { FindAction(*frame, ID_APP_EXIT)->trigger(); });
    QTimer::singleShot(2000, &editor, &QDialog::reject); // ends the test should Exit not
    EXPECT_EQ(editor.exec(), QDialog::Rejected);
    EXPECT_TRUE(log.empty()) << "nothing is let go while the dialog's loop still runs";
    QCoreApplication::processEvents();
    EXPECT_EQ(log, (std::vector<std::string>{"hook", "quit"}));
    EXPECT_FALSE(dialogRunningAtHook);
}

TEST_F(FrameTest, FramePointerLivesExactlyAsLongAsTheFrame) {
    EXPECT_EQ(MainFramePointer(), frame.get());
    frame.reset();
    EXPECT_TRUE(MainFramePointer().isNull());
}

TEST_F(FrameTest, TrayPopupHasConfigureAsBoldDefaultThenExit) {
    QMenu& menu = frame->NotificationIcon().Menu();
    EXPECT_EQ(
        EntriesOf(menu.actions()),
        (std::vector<Entry>{{ID_TRAY_CONFIGURE, "Configure..."}, {0, {}}, {ID_TRAY_EXIT, "Exit"}}));
    EXPECT_EQ(menu.defaultAction(), menu.actions().first());
    EXPECT_EQ(menu.actions().last()->statusTip(), "Exit the Software");
    EXPECT_EQ(frame->NotificationIcon().Icon().toolTip(), "Tintwatch");
    EXPECT_EQ(frame->NotificationIcon().Icon().contextMenu(), &menu);
    EXPECT_FALSE(frame->NotificationIcon().Icon().icon().isNull());
}

TEST_F(FrameTest, TutorialOpensTheShippedPage) {
    // No handler anywhere: the address goes to the desktop's opener.
    QTemporaryDir empty;
    qputenv("XDG_CONFIG_DIRS", empty.path().toLocal8Bit());
    qputenv("XDG_DATA_DIRS", empty.path().toLocal8Bit());
    FindAction(*frame, ID_HELP_TUTORIAL)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !platform.launcher.calls.isEmpty(); }, 5000));
    ASSERT_EQ(platform.launcher.calls.size(), 1);
    const QString call = platform.launcher.calls.first();
    ASSERT_TRUE(call.startsWith("url file://")) << call.toStdString();
    const QString page = QUrl(call.mid(4)).toLocalFile();
    EXPECT_TRUE(page.endsWith("/tutorial.html"));
    EXPECT_TRUE(QFileInfo(page).isFile()) << page.toStdString();
    EXPECT_TRUE(viewTarget.received.empty()); // the frame's own command
}

TEST(LockKeyIndicatorsTest, LitOnlyForLocksThatAreOnAndDimmedWhenUnknown) {
    std::optional<LockKeyState> state = LockKeyState{true, false, true};
    CLockKeyIndicators indicators([&] { return state; });
    EXPECT_TRUE(indicators.IsLit(0));
    EXPECT_FALSE(indicators.IsLit(1));
    EXPECT_TRUE(indicators.IsLit(2));
    state.reset();
    indicators.Refresh();
    EXPECT_FALSE(indicators.IsLit(0) || indicators.IsLit(1) || indicators.IsLit(2));
}

} // namespace
