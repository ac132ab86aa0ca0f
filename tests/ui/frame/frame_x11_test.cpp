// The main window and its notification-area icon on a real X server with a real tray (tint2),
// driven by real input from xdotool. With TINTWATCH_SCREENSHOT set to a file name, the window
// is also saved there for a look.
#include "fakes/fake_platform.h"
#include "support/recording_target.h"
#include "support/tray_host.h"
#include "support/waiting.h"
#include "support/x11_session.h"
#include "ui/frame/command_action.h"
#include "ui/frame/lock_key_indicators.h"
#include "ui/frame/main_frame.h"

#include <QCursor>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = 15000;

// No --sync on the move: it waits for motion, and there is none when the pointer is there.
bool ClickAt(QPoint point, int button, int repeat = 1) {
    const bool moved =
        Xdotool({"mousemove", QString::number(point.x()), QString::number(point.y())}).has_value();
    Settle(150);
    return moved && Xdotool({"click", "--repeat", QString::number(repeat), "--delay", "80",
                             QString::number(button)});
}

class FrameX11Test : public ::testing::Test {
protected:
    void SetUp() override {
        frame = std::make_unique<CMainFrame>(platform.Services(), new QWidget, view, app);
        frame->SetOnDestroyView([this] { log.push_back("hook"); });
        frame->SetQuitFunction([this] { log.push_back("quit"); });
        frame->resize(900, 320);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }

    bool IconShown() {
        const bool shown = WaitUntil(
            [this] { return !frame->NotificationIcon().Icon().geometry().isEmpty(); }, kWaitMs);
        // The panel maps the embedded icon a moment after it took it in; clicks before that
        // land on the panel.
        Settle(1500);
        return shown;
    }
    QPoint IconCentre() { return frame->NotificationIcon().Icon().geometry().center(); }

    FakePlatform platform;
    RecordingTarget view;
    RecordingTarget app;
    std::unique_ptr<CMainFrame> frame;
    std::vector<std::string> log;
};

TEST_F(FrameX11Test, BarsFitTheWindowAndTheCapsLockPaneFollowsTheKey) {
    Settle(300);
    // The hide command sits right of the last menu title without covering it.
    const QMenuBar& bar = *frame->menuBar();
    const QWidget* hide = bar.cornerWidget(Qt::TopRightCorner);
    ASSERT_NE(hide, nullptr);
    EXPECT_TRUE(hide->isVisible());
    EXPECT_GT(hide->geometry().left(), bar.actionGeometry(bar.actions().last()).right());
    EXPECT_LE(hide->geometry().right(), bar.width());
    for (QAction* action : frame->ToolBar().actions()) {
        if (const QWidget* button = frame->ToolBar().widgetForAction(action);
            button && !action->isSeparator()) {
            EXPECT_GE(button->width(), 16);
            EXPECT_TRUE(frame->ToolBar().rect().contains(button->geometry()));
        }
    }
    EXPECT_GE(frame->statusBar()->height(), frame->statusBar()->sizeHint().height());
    if (const QByteArray screenshot = qgetenv("TINTWATCH_SCREENSHOT"); !screenshot.isEmpty()) {
        EXPECT_TRUE(frame->grab().save(QString::fromLocal8Bit(screenshot)));
    }

    CLockKeyIndicators& panes = frame->LockKeyIndicators();
    const bool caps = panes.IsLit(0);
    const bool num = panes.IsLit(1);
    ASSERT_TRUE(Xdotool({"key", "Caps_Lock"}));
    const bool changed = WaitUntil([&] { return panes.IsLit(0) != caps; }, 3000);
    Xdotool({"key", "Caps_Lock"}); // leave the display as it was
    EXPECT_TRUE(changed);
    EXPECT_EQ(panes.IsLit(1), num);
    EXPECT_TRUE(WaitUntil([&] { return panes.IsLit(0) == caps; }, 3000));
}

TEST_F(FrameX11Test, TheIconsDoubleClickRestoresItsPopupOpensAtThePointerAndExitCloses) {
    TrayHost host;
    ASSERT_TRUE(host.Start());
    ASSERT_TRUE(IconShown());
    frame->OnCommand(ID_HIDE_TO_NOTIFICATION_AREA);
    ASSERT_TRUE(frame->isHidden());
    ASSERT_TRUE(ClickAt(IconCentre(), 1));
    Settle(600);
    EXPECT_TRUE(frame->isHidden()) << "a single click does nothing";
    ASSERT_TRUE(ClickAt(IconCentre(), 1, 2));
    EXPECT_TRUE(WaitUntil([&] { return frame->isVisible() && frame->isActiveWindow(); }));
    EXPECT_FALSE(frame->windowState() & Qt::WindowMinimized);

    QMenu& menu = frame->NotificationIcon().Menu();
    ASSERT_TRUE(ClickAt(IconCentre(), 3));
    ASSERT_TRUE(WaitUntil([&] { return menu.isVisible(); }));
    // A corner of the popup lies at the pointer (it opens upwards near the bottom edge).
    const QRect popup = menu.geometry();
    const QPoint pointer = QCursor::pos();
    EXPECT_LE(std::min((popup.topLeft() - pointer).manhattanLength(),
                       (popup.bottomLeft() - pointer).manhattanLength()),
              4);
    QAction* exit = menu.actions().last();
    ASSERT_EQ(CommandIdOf(exit), ID_TRAY_EXIT);
    ASSERT_TRUE(ClickAt(menu.mapToGlobal(menu.actionGeometry(exit).center()), 1));
    EXPECT_TRUE(WaitUntil([&] { return log.size() == 2; }));
    EXPECT_EQ(log, (std::vector<std::string>{"hook", "quit"}));
    EXPECT_FALSE(frame->NotificationIcon().Icon().isVisible());
}

} // namespace
