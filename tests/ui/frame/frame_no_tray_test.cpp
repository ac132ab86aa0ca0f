// Hide on a desktop without a notification area: the window is minimised, never withdrawn
// with nothing left to bring it back, and the status bar says why; once an area appears, Hide
// hides again.
#include "fakes/fake_platform.h"
#include "support/recording_target.h"
#include "ui/frame/main_frame.h"

#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

TEST(FrameNoTrayTest, HideMinimisesAndSaysWhyUntilAnAreaAppears) {
    FakePlatform platform;
    RecordingTarget viewTarget;
    RecordingTarget appTarget;
    CMainFrame frame(platform.Services(), new QWidget, viewTarget, appTarget);
    bool areaAvailable = false;
    frame.NotificationIcon().SetAreaProbe([&] { return areaAvailable; });
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));

    frame.OnCommand(ID_HIDE_TO_NOTIFICATION_AREA);
    EXPECT_FALSE(frame.isHidden());
    EXPECT_TRUE(frame.windowState() & Qt::WindowMinimized);
    EXPECT_EQ(frame.statusBar()->currentMessage(), QString::fromLatin1(kNoNotificationAreaText));

    frame.OnCommand(ID_TRAY_CONFIGURE);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_FALSE(frame.windowState() & Qt::WindowMinimized);

    areaAvailable = true;
    frame.OnCommand(ID_HIDE_TO_NOTIFICATION_AREA);
    EXPECT_TRUE(frame.isHidden());
    EXPECT_FALSE(frame.windowState() & Qt::WindowMinimized);
}
