// The main frame on Qt's offscreen platform: its keys and commands (frame -> view -> application),
// Hide with and without a notification area, and every way out, a modal window first.
#include "fakes/fake_platform.h"
#include "platform/browser/help_links.h"
#include "support/processes.h"
#include "support/recording_target.h"
#include "support/waiting.h"
#include "ui/frame/command_action.h"
#include "ui/frame/main_frame.h"

#include <QDialog>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

QAction* FindAction(CMainFrame& frame, int id) {
    for (QAction* menu : frame.menuBar()->actions())
        for (QAction* item : menu->menu()->actions())
            if (CommandIdOf(item) == id)
                return item;
    return nullptr;
}

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        frame =
            std::make_unique<CMainFrame>(platform.Services(), new QWidget, viewTarget, appTarget);
        // The icon is gone before the view writes its settings; a modal window is closed.
        frame->SetOnDestroyView([this] {
            log.push_back(frame->NotificationIcon().Icon().isVisible() ? "hook, icon shown"
                          : QApplication::activeModalWidget()          ? "hook, modal shown"
                                                                       : "hook");
        });
        frame->SetQuitFunction([this] { log.push_back("quit"); });
        // The offscreen platform never has a notification area; most tests hide into one.
        frame->NotificationIcon().SetAreaProbe([this] { return area; });
        frame->show();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }

    FakePlatform platform;
    // As the real view (through the document) and application claim them.
    RecordingTarget viewTarget{
        {ID_FILE_SAVE, ID_EVENT_NEW, ID_EVENT_EDIT, ID_EVENT_DELETE, ID_HELP_WEBSITE}};
    RecordingTarget appTarget{{ID_APP_ABOUT}};
    std::unique_ptr<CMainFrame> frame;
    Log log;
    bool area = true;
};

TEST_F(FrameTest, KeysToolbarAndMenusSendTheirCommandsToTheViewThenTheApplication) {
    QTest::keyClick(frame.get(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(frame.get(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(frame.get(), Qt::Key_Delete);
    QTest::keyClick(frame.get(), Qt::Key_Return);
    QTest::keyClick(frame.get(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(viewTarget.received, (std::vector<int>{ID_FILE_SAVE, ID_EVENT_NEW, ID_EVENT_DELETE,
                                                     ID_EVENT_EDIT, ID_EVENT_EDIT}));

    viewTarget.received.clear();
    frame->ToolBar().actions().back()->trigger(); // About
    FindAction(*frame, ID_HELP_WEBSITE)->trigger();
    FindAction(*frame, ID_HELP_TUTORIAL)->trigger(); // the frame's own: the view never sees it
    EXPECT_EQ(viewTarget.received, (std::vector<int>{ID_APP_ABOUT, ID_HELP_WEBSITE}));
    EXPECT_EQ(appTarget.received, (std::vector<int>{ID_APP_ABOUT}));
    ASSERT_TRUE(WaitUntil([&] { return !platform.launcher.calls.isEmpty(); }));
    EXPECT_TRUE(platform.launcher.calls.first().contains(TutorialUrl()));
    EXPECT_TRUE(ReadFile(QUrl(TutorialUrl()).toLocalFile()).contains("Tintwatch")) << "not shipped";
    EXPECT_FALSE(frame->OnCommand(ID_FILE_OPEN + 1000)); // unknown everywhere: reported so
}

TEST_F(FrameTest, HideKeepsTheIconOrWithoutANotificationAreaMinimisesAndSaysWhy) {
    area = false;
    frame->OnCommand(ID_HIDE_TO_NOTIFICATION_AREA);
    EXPECT_FALSE(frame->isHidden()) << "nothing would be left to bring it back";
    EXPECT_TRUE(frame->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(frame->statusBar()->currentMessage(), QString::fromLatin1(kNoNotificationAreaText));
    frame->OnCommand(ID_TRAY_CONFIGURE);
    EXPECT_FALSE(frame->windowState() & Qt::WindowMinimized);

    area = true;
    frame->showMaximized();
    frame->OnCommand(ID_HIDE_TO_NOTIFICATION_AREA);
    EXPECT_TRUE(frame->isHidden());
    EXPECT_FALSE(frame->windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(frame->NotificationIcon().Icon().isVisible());
    EXPECT_TRUE(log.empty()); // hiding is no close
    // The View menu hides and shows each bar, and its item says which are shown, also while the
    // window is away in the notification area.
    for (const int id : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}) {
        QAction* item = FindAction(*frame, id);
        const QWidget* bar =
            id == ID_VIEW_TOOLBAR ? static_cast<QWidget*>(&frame->ToolBar()) : frame->statusBar();
        for (const bool shown : {false, true}) {
            item->trigger();
            EXPECT_EQ(bar->isHidden(), !shown) << id;
            EXPECT_EQ(item->isChecked(), shown) << id;
        }
    }
    QSystemTrayIcon& icon = frame->NotificationIcon().Icon();
    emit icon.activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(frame->isHidden()) << "a single click does nothing";
    emit icon.activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->windowState() & Qt::WindowMaximized); // back as it was
}

TEST_F(FrameTest, EveryExitPathClosesTheSameWayOnce) {
    const std::vector<std::function<void(CMainFrame&)>> paths = {
        [](CMainFrame& f) { f.close(); },
        [](CMainFrame& f) { FindAction(f, ID_APP_EXIT)->trigger(); },
        [](CMainFrame& f) {
            f.OnCommand(ID_HIDE_TO_NOTIFICATION_AREA);
            f.NotificationIcon().Menu().actions().last()->trigger();
        },
    };
    for (std::size_t i = 0; i < paths.size(); ++i) {
        SCOPED_TRACE(i);
        if (i > 0)
            SetUp();
        log.clear();
        paths[i](*frame);
        EXPECT_EQ(log, (Log{"hook", "quit"}));
        EXPECT_TRUE(frame->isHidden());
        frame->close(); // a second request while quitting changes nothing
        EXPECT_EQ(log.size(), 2u);
    }
}

// Refuses Escape, the close button and every request to close, as a busy window may.
class StubbornDialog : public QDialog {
public:
    using QDialog::QDialog;
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

TEST_F(FrameTest, ExitWithAModalWindowOpenClosesItBeforeTheViewLetsGoEvenIfItRefuses) {
    {
        QDialog editor(frame.get());
        QTimer::singleShot(0, [&] { FindAction(*frame, ID_APP_EXIT)->trigger(); });
        QTimer::singleShot(2000, &editor, &QDialog::reject); // ends the test should Exit not
        EXPECT_EQ(editor.exec(), QDialog::Rejected);
        EXPECT_TRUE(log.empty()) << "nothing is let go while the dialog's loop still runs";
        QCoreApplication::processEvents();
        EXPECT_EQ(log, (Log{"hook", "quit"}));
    }

    // One that will not close is asked a few times, then closed anyway: no endless asking.
    SetUp();
    log.clear();
    StubbornDialog stubborn(frame.get());
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(0, frame.get(), &CMainFrame::OnClose);
    QTimer::singleShot(3000, &stubborn, [&] { stubborn.done(QDialog::Rejected); });
    stubborn.exec();
    ASSERT_TRUE(WaitUntil([&] { return log.size() == 2; }));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(log, (Log{"hook", "quit"}));
}

} // namespace
