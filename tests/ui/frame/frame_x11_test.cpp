// The main window's notification-area icon on a real X server with a real tray (tint2), driven
// by real clicks from xdotool.
#include "fakes/fake_platform.h"
#include "support/recording_target.h"
#include "support/tray_host.h"
#include "support/waiting.h"
#include "support/x11_session.h"
#include "ui/frame/main_frame.h"

#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// No --sync on the move: it waits for motion, and there is none when the pointer is there.
bool ClickAt(QPoint point, int button, int repeat = 1) {
    const bool moved =
        Xdotool({"mousemove", QString::number(point.x()), QString::number(point.y())}).has_value();
    Settle(150);
    return moved && Xdotool({"click", "--repeat", QString::number(repeat), "--delay", "80",
                             QString::number(button)});
}

TEST(FrameX11Test, TheIconsDoubleClickRestoresAndItsPopupsExitCloses) {
    FakePlatform platform;
    RecordingTarget view, app;
    CMainFrame frame(platform.Services(), new QWidget, view, app);
    std::vector<std::string> log;
    frame.SetOnDestroyView([&] { log.push_back("hook"); });
    frame.SetQuitFunction([&] { log.push_back("quit"); });
    frame.resize(900, 320);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    TrayHost host;
    ASSERT_TRUE(host.Start());
    QSystemTrayIcon& icon = frame.NotificationIcon().Icon();
    ASSERT_TRUE(WaitUntil([&] { return !icon.geometry().isEmpty(); }, 15000));
    // The panel maps the embedded icon a moment after it took it in; clicks before that land on
    // the panel.
    Settle(1500);
    frame.OnCommand(ID_HIDE_TO_NOTIFICATION_AREA);
    ASSERT_TRUE(frame.isHidden());
    ASSERT_TRUE(ClickAt(icon.geometry().center(), 1));
    Settle(600);
    EXPECT_TRUE(frame.isHidden()) << "a single click does nothing";
    ASSERT_TRUE(ClickAt(icon.geometry().center(), 1, 2));
    EXPECT_TRUE(WaitUntil([&] { return frame.isVisible() && frame.isActiveWindow(); }));
    EXPECT_FALSE(frame.windowState() & Qt::WindowMinimized);

    QMenu& menu = frame.NotificationIcon().Menu();
    ASSERT_TRUE(ClickAt(icon.geometry().center(), 3));
    ASSERT_TRUE(WaitUntil([&] { return menu.isVisible(); }));
    QAction* exit = menu.actions().last();
    ASSERT_TRUE(ClickAt(menu.mapToGlobal(menu.actionGeometry(exit).center()), 1));
    EXPECT_TRUE(WaitUntil([&] { return log.size() == 2; }));
    EXPECT_EQ(log, (std::vector<std::string>{"hook", "quit"}));
    EXPECT_FALSE(icon.isVisible());
}

} // namespace
