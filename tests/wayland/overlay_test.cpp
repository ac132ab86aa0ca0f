// The pick overlay and the marker on Qt's offscreen platform over hand-made stills of two
// monitors (one scaled).
#include "fakes/fake_platform.h"
#include "support/pattern_frame.h"
#include "support/waiting.h"
#include "ui/overlay/pick_overlay.h"
#include "ui/overlay/show_location.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The size of each monitor: the offscreen screen's, which the windows fill.
QSize MonitorSize() {
    return QGuiApplication::primaryScreen()->size();
}

// Two monitors side by side; the right one streams half its size in pixels.
std::vector<MonitorStill> TwoMonitors() {
    const QSize size = MonitorSize();
    return {{QRect(QPoint(0, 0), size), PatternFrame(size, 1)},
            {QRect(QPoint(size.width(), 0), size), PatternFrame(size / 2, 2)}};
}

std::vector<QWidget*> FullScreenWindows() {
    std::vector<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->isFullScreen())
            windows.push_back(widget);
    return windows;
}

void Send(QWidget* window, QEvent::Type type, QPointF at) {
    QMouseEvent event(type, at, window->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &event);
}

class OverlayTest : public ::testing::Test {
protected:
    // Opens an overlay over TwoMonitors; its windows, the left monitor's first.
    std::vector<QWidget*> Open(OverlayPick clickPicks) {
        overlay = std::make_unique<PickOverlay>(TwoMonitors(), clickPicks, &parent,
                                                [this](std::optional<OverlayResult> result) {
                                                    done = true;
                                                    picked = result;
                                                });
        std::vector<QWidget*> windows = FullScreenWindows();
        std::sort(windows.begin(), windows.end(),
                  [](QWidget* a, QWidget* b) { return AreaOf(a).x() < AreaOf(b).x(); });
        return windows;
    }

    static QRect AreaOf(QWidget* window) {
        return qobject_cast<StillWindow*>(window)->Still().area;
    }

    QWidget parent;
    std::unique_ptr<PickOverlay> overlay;
    bool done = false;
    std::optional<OverlayResult> picked;
};

} // namespace

TEST_F(OverlayTest, PicksMapThroughEachMonitorsPlaceAndReadItsStill) {
    const int w = MonitorSize().width();
    const int h = MonitorSize().height();
    const auto colour = [](int x, int y, int tag) { return RGB(x % 256, y % 256, tag); };
    const struct {
        const char* what;
        OverlayPick clickPicks;
        int window; // which window the pointer moves over: 0 left, 1 right
        QPointF at; // where over it
        int key;    // 0: a click there; else a key pressed on the other window
        std::optional<OverlayResult> expected;
    } cases[] = {
        {"click on the right monitor takes the target colour", OverlayPick::Color, 1,
         QPointF(300.7, 100.2), 0,
         OverlayResult{OverlayPick::Color, QPoint(w + 300, 100), colour(150, 50, 2)}},
        {"click on the left monitor takes the location", OverlayPick::Location, 0, QPointF(31, 41),
         0, OverlayResult{OverlayPick::Location, QPoint(31, 41), colour(31, 41, 1)}},
        {"F7 takes the target colour where the pointer was", OverlayPick::Location, 0,
         QPointF(31, 41), Qt::Key_F7,
         OverlayResult{OverlayPick::Color, QPoint(31, 41), colour(31, 41, 1)}},
        {"F6 takes the location where the pointer was", OverlayPick::Color, 1,
         QPointF(w - 1.5, h - 1), Qt::Key_F6,
         OverlayResult{OverlayPick::Location, QPoint(2 * w - 2, h - 1),
                       colour((w - 2) / 2, (h - 1) / 2, 2)}},
        {"Esc cancels", OverlayPick::Location, 1, QPointF(10, 10), Qt::Key_Escape, std::nullopt},
    };
    for (const auto& c : cases) {
        done = false;
        const std::vector<QWidget*> windows = Open(c.clickPicks);
        ASSERT_EQ(windows.size(), 2u) << c.what;
        QWidget* left = windows[0];
        QWidget* right = windows[1];
        QWidget* over = c.window == 0 ? left : right;
        Send(over, QEvent::MouseMove, c.at);
        QKeyEvent key(QEvent::KeyPress, c.key, Qt::NoModifier);
        if (c.key == 0)
            Send(over, QEvent::MouseButtonPress, c.at);
        else
            QApplication::sendEvent(over == left ? right : left, &key);
        ASSERT_TRUE(WaitUntil([&] { return done; })) << c.what;
        EXPECT_TRUE(FullScreenWindows().empty()) << c.what;
        ASSERT_EQ(picked.has_value(), c.expected.has_value()) << c.what;
        if (picked) {
            EXPECT_EQ(picked->pick, c.expected->pick) << c.what;
            EXPECT_EQ(picked->location, c.expected->location) << c.what;
            EXPECT_EQ(picked->colour, c.expected->colour) << c.what;
        }
        overlay.reset();
    }
}

TEST_F(OverlayTest, ShowLocationMarksThePointOnlyWhereNothingMovesThePointer) {
    class StillScreen : public FakeScreen {
    public:
        void SetCursorPos(QPoint position) override {
            FakeScreen::SetCursorPos(position);
            cursor = position - miss;
        }
        QPoint miss;
    } screen;
    screen.stills = TwoMonitors();
    const QPoint location(MonitorSize().width() + 150, 50);
    screen.mechanisms.move = PointerMove::Marker;
    ShowLocation(screen, location, &parent);
    const std::vector<QWidget*> marks = FullScreenWindows();
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(AreaOf(marks.front()).x(), MonitorSize().width())
        << "marked over the monitor holding the point";
    // It goes by itself after a moment.
    EXPECT_TRUE(WaitUntil([] { return FullScreenWindows().empty(); }, 4000));

    // Moved, and where the stream tells where the pointer went, a move that missed is marked.
    screen.mechanisms = {PickKeys::Overlay, PointerPosition::CursorMetadata, PointerMove::Warp};
    for (const QPoint miss : {QPoint(1, 1), QPoint(75, 25)}) {
        screen.miss = miss;
        ShowLocation(screen, location, &parent);
        EXPECT_EQ(WaitUntil([] { return !FullScreenWindows().empty(); }, 1000), miss.x() > 1);
    }
    EXPECT_EQ(screen.warps, std::vector<QPoint>(2, location)) << "none for the marker";
}
