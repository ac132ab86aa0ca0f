// A saved placement that would leave the window partly off every screen comes back whole on
// the nearest one, its size kept where it fits.
#include "ui/view/window_placement.h"
#include "view_fixture.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

struct Case {
    const char* what;
    QRect window;
    QList<QRect> screens;
    QRect expected;
};

const QRect kLeft(0, 0, 1920, 1040);     // a 1920 x 1080 monitor less its panel
const QRect kRight(1920, 0, 1280, 1024); // a smaller one to its right
const QRect kScaled(0, 0, 1280, 693);    // the left monitor at 150 %

TEST(KeepOnScreenTest, MovesIntoTheNearestScreenKeepingTheSizeWhereItFits) {
    const Case cases[] = {
        {"wholly on one screen: unchanged",
         {100, 100, 800, 400},
         {kLeft, kRight},
         {100, 100, 800, 400}},
        {"on the second screen: unchanged",
         {2000, 50, 800, 400},
         {kLeft, kRight},
         {2000, 50, 800, 400}},
        {"saved at 100 %, restored at 150 %: 144 px off the right edge",
         {624, 200, 800, 400},
         {kScaled},
         {480, 200, 800, 400}},
        {"across two monitors: into the one it covers most",
         {1700, 100, 800, 400},
         {kLeft, kRight},
         {1920, 100, 800, 400}},
        {"above and left of everything", {-300, -200, 800, 400}, {kLeft, kRight}, {0, 0, 800, 400}},
        {"beyond every screen: the closest one",
         {4000, 2000, 800, 400},
         {kLeft, kRight},
         {2400, 624, 800, 400}},
        {"larger than the screen: shrunk to it",
         {-50, 300, 2000, 1200},
         {kLeft},
         {0, 0, 1920, 1040}},
        {"taller only: keeps its width", {100, 500, 800, 900}, {kScaled}, {100, 0, 800, 693}},
        {"no screens known: unchanged", {-300, -200, 800, 400}, {}, {-300, -200, 800, 400}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeepOnScreen(c.window, c.screens), c.expected) << c.what;
}

using PlacementTest = ViewFixture;

TEST_F(PlacementTest, APlacementPartlyOffTheScreenComesBackOnIt) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget earlier;
    earlier.setGeometry(screen.right() - 200, screen.bottom() - 100, 500, 300);
    platform.profile.values["Settings/LastLocation"] = earlier.saveGeometry();
    Start({});
    EXPECT_TRUE(screen.contains(frame.geometry()))
        << frame.geometry().x() << "," << frame.geometry().y();
    EXPECT_EQ(frame.geometry().size(), QSize(500, 300));
}

} // namespace
