// The notification-area icon under a real X server with a real tray (tint2), driven by real
// pointer input from xdotool.
#include "fakes/fake_platform.h"
#include "recording_target.h"
#include "tray_host.h"
#include "ui/frame/command_action.h"
#include "ui/frame/main_frame.h"

#include <QCursor>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = 15000;

template <typename Predicate> bool WaitFor(Predicate predicate, int timeoutMs = kWaitMs) {
    return QTest::qWaitFor(predicate, timeoutMs);
}

bool XdoTool(const QStringList& arguments) {
    return QProcess::execute("xdotool", arguments) == 0;
}

// No --sync on the move: it waits for motion, and there is none when the pointer is there.
bool ClickAt(QPoint point, int button, int repeat = 1) {
    const bool moved =
        XdoTool({"mousemove", QString::number(point.x()), QString::number(point.y())});
    QTest::qWait(150);
    return moved && XdoTool({"click", "--repeat", QString::number(repeat), "--delay", "80",
                             QString::number(button)});
}

class FrameTrayTest : public ::testing::Test {
protected:
    void CreateFrame() {
        frame =
            std::make_unique<CMainFrame>(platform.Services(), new QWidget, viewTarget, appTarget);
        frame->SetOnDestroyView([this] { log.push_back("hook"); });
        frame->SetQuitFunction([this] { log.push_back("quit"); });
        frame->resize(500, 300);
        frame->show();
    }

    bool IconShown() {
        const bool shown =
            WaitFor([this] { return !frame->NotificationIcon().Icon().geometry().isEmpty(); });
        // The panel maps the embedded icon a moment after it took it in; clicks before that
        // land on the panel.
        QTest::qWait(1500);
        return shown;
    }

    QPoint IconCentre() { return frame->NotificationIcon().Icon().geometry().center(); }

    FakePlatform platform;
    RecordingTarget viewTarget;
    RecordingTarget appTarget;
    TrayHost host;
    std::unique_ptr<CMainFrame> frame;
    std::vector<std::string> log;
};

TEST_F(FrameTrayTest, RightClickOpensPopupAtPointerAndExitClosesTheProgram) {
    ASSERT_TRUE(host.Start());
    CreateFrame();
    ASSERT_TRUE(IconShown());

    QMenu& menu = frame->NotificationIcon().Menu();
    ASSERT_TRUE(ClickAt(IconCentre(), 3));
    ASSERT_TRUE(WaitFor([&] { return menu.isVisible(); }));
    // At the pointer: a corner of the popup lies there (it opens upwards near the bottom edge).
    const QRect popup = menu.geometry();
    const QPoint pointer = QCursor::pos();
    const int distance = std::min((popup.topLeft() - pointer).manhattanLength(),
                                  (popup.bottomLeft() - pointer).manhattanLength());
    EXPECT_LE(distance, 4) << "popup at " << popup.x() << "," << popup.y() << " pointer at "
                           << pointer.x() << "," << pointer.y();

    QAction* exit = menu.actions().last();
    ASSERT_EQ(CommandIdOf(exit), ID_TRAY_EXIT);
    ASSERT_TRUE(ClickAt(menu.mapToGlobal(menu.actionGeometry(exit).center()), 1));
    EXPECT_TRUE(WaitFor([&] { return log.size() == 2; }));
    EXPECT_EQ(log, (std::vector<std::string>{"hook", "quit"}));
    EXPECT_FALSE(frame->NotificationIcon().Icon().isVisible());
}

TEST_F(FrameTrayTest, DoubleClickRestoresTheHiddenWindowAndSingleClickDoesNothing) {
    ASSERT_TRUE(host.Start());
    CreateFrame();
    ASSERT_TRUE(IconShown());
    frame->OnCommand(ID_HIDE_TO_NOTIFICATION_AREA);
    ASSERT_TRUE(frame->isHidden());

    ASSERT_TRUE(ClickAt(IconCentre(), 1));
    QTest::qWait(600);
    EXPECT_TRUE(frame->isHidden());
    EXPECT_FALSE(frame->NotificationIcon().Menu().isVisible());

    ASSERT_TRUE(ClickAt(IconCentre(), 1, 2));
    EXPECT_TRUE(WaitFor([&] { return frame->isVisible() && frame->isActiveWindow(); }));
    EXPECT_FALSE(frame->windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(log.empty());
}

TEST_F(FrameTrayTest, IconComesBackWhenTheTrayIsRecreated) {
    ASSERT_TRUE(host.Start());
    CreateFrame();
    ASSERT_TRUE(IconShown());
    host.Kill();
    ASSERT_TRUE(WaitForTray(false, kWaitMs));
    ASSERT_TRUE(WaitFor([this] { return frame->NotificationIcon().Icon().geometry().isEmpty(); }));
    ASSERT_TRUE(host.Start());
    EXPECT_TRUE(IconShown());
    EXPECT_EQ(frame->NotificationIcon().Icon().toolTip(), "Tintwatch");
}

TEST_F(FrameTrayTest, IconAppearsWhenThePanelStartsAfterTheProgram) {
    ASSERT_TRUE(WaitForTray(false, kWaitMs));
    CreateFrame(); // no tray yet: no icon, and no complaint
    ASSERT_TRUE(host.Start());
    EXPECT_TRUE(IconShown());
}

} // namespace
