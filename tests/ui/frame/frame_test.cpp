// The main frame on Qt's offscreen platform: its keys carry the right commands, commands travel
// frame -> view -> application, and every way out closes the same way.
#include "engine/main_frame_pointer.h"
#include "fakes/fake_platform.h"
#include "support/recording_target.h"
#include "support/waiting.h"
#include "ui/frame/command_action.h"
#include "ui/frame/lock_key_indicators.h"
#include "ui/frame/main_frame.h"

#include <QDialog>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

QAction* FindAction(QWidget& root, int id) {
    for (QAction* action : root.findChildren<QAction*>())
        if (CommandIdOf(action) == id && !action->menu())
            return action;
    return nullptr;
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
        // The offscreen platform never has a notification area; these tests hide into one.
        frame->NotificationIcon().SetAreaProbe([] { return true; });
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

TEST_F(FrameTest, HideKeepsIconAndConfigureRestores) {
    ShowActive();
    frame->showMaximized();
    frame->OnCommand(ID_HIDE_TO_NOTIFICATION_AREA);
    EXPECT_TRUE(frame->isHidden());
    EXPECT_TRUE(log.empty()); // hiding is no close

    PostCommand(MainFramePointer(), ID_TRAY_CONFIGURE); // as a second instance asks
    EXPECT_TRUE(WaitUntil([&] { return frame->isVisible(); }));
    EXPECT_FALSE(frame->windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(frame->windowState() & Qt::WindowMaximized); // back as it was
}

TEST_F(FrameTest, PostedSaveReachesTheViewWhileHidden) {
    ShowActive();
    frame->OnCommand(ID_HIDE_TO_NOTIFICATION_AREA);
    ASSERT_EQ(MainFramePointer(), frame.get());
    PostCommand(MainFramePointer(), ID_FILE_SAVE);
    EXPECT_TRUE(viewTarget.received.empty()); // posted: not before the caller returns
    EXPECT_TRUE(WaitUntil([&] { return viewTarget.received == std::vector<int>{ID_FILE_SAVE}; }));
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
