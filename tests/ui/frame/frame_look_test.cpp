// The main window as the user sees it on a real X server: nothing overlaps or is cut off.
// With TINTWATCH_SCREENSHOT set to a file name, the window is also saved there for a look.
#include "fakes/fake_platform.h"
#include "recording_target.h"
#include "ui/frame/lock_key_indicators.h"
#include "ui/frame/main_frame.h"

#include <QHeaderView>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

// A plain table standing in for the event list.
QTableWidget* StandInList() {
    const QStringList titles{"Sr", "Color to Match", "Application / Document Path", "Comment"};
    auto* table = new QTableWidget(3, static_cast<int>(titles.size()));
    table->setHorizontalHeaderLabels(titles);
    table->verticalHeader()->hide();
    for (int row = 0; row < 3; ++row) {
        const QStringList cells{QString::number(row + 1), "RGB(255, 0, 0)", "/usr/bin/gedit",
                                "comment"};
        for (int column = 0; column < cells.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    return table;
}

TEST(FrameLookTest, MenuBarToolbarAndStatusBarFitTheWindow) {
    FakePlatform platform;
    RecordingTarget view;
    RecordingTarget app;
    CMainFrame frame(platform.Services(), StandInList(), view, app);
    frame.SetQuitFunction([] {});
    frame.resize(900, 320);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QTest::qWait(300);

    // The hide command sits right of the last menu title without covering it.
    const QMenuBar& bar = *frame.menuBar();
    const QWidget* hide = bar.cornerWidget(Qt::TopRightCorner);
    ASSERT_NE(hide, nullptr);
    EXPECT_TRUE(hide->isVisible());
    EXPECT_GT(hide->geometry().left(), bar.actionGeometry(bar.actions().last()).right());
    EXPECT_LE(hide->geometry().right(), bar.width());
    EXPECT_GE(hide->width(), hide->sizeHint().width());

    // Every toolbar button shows its whole image.
    for (QAction* action : frame.ToolBar().actions()) {
        if (action->isSeparator())
            continue;
        const QWidget* button = frame.ToolBar().widgetForAction(action);
        ASSERT_NE(button, nullptr);
        EXPECT_GE(button->width(), 16);
        EXPECT_GE(button->height(), 15);
        EXPECT_TRUE(frame.ToolBar().rect().contains(button->geometry()));
    }
    EXPECT_GE(frame.statusBar()->height(), frame.statusBar()->sizeHint().height());

    const QByteArray screenshot = qgetenv("TINTWATCH_SCREENSHOT");
    if (!screenshot.isEmpty()) {
        EXPECT_TRUE(frame.grab().save(QString::fromLocal8Bit(screenshot)));
    }
}

} // namespace

namespace {

TEST(FrameLookTest, CapsLockPaneFollowsTheKey) {
    FakePlatform platform;
    RecordingTarget view;
    RecordingTarget app;
    CMainFrame frame(platform.Services(), new QWidget, view, app);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    CLockKeyIndicators& panes = frame.LockKeyIndicators();
    const bool before = panes.IsLit(0);
    const bool numBefore = panes.IsLit(1);
    const bool scrollBefore = panes.IsLit(2);
    ASSERT_EQ(QProcess::execute("xdotool", {"key", "Caps_Lock"}), 0);
    const bool changed = QTest::qWaitFor([&] { return panes.IsLit(0) != before; }, 3000);
    QProcess::execute("xdotool", {"key", "Caps_Lock"}); // leave the display as it was
    EXPECT_TRUE(changed);
    EXPECT_EQ(panes.IsLit(1), numBefore); // the others did not move with it
    EXPECT_EQ(panes.IsLit(2), scrollBefore);
    EXPECT_TRUE(QTest::qWaitFor([&] { return panes.IsLit(0) == before; }, 3000));
}

} // namespace
