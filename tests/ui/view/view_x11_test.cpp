// The real widget on a real X display, driven by real input from xdotool: a click selects a
// row, the Delete key removes it, and the data file follows.
#include "view_fixture.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

namespace {

// Runs xdotool with `arguments`; false when it is missing or fails.
bool Xdotool(const QStringList& arguments) {
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}

// Lets the program handle what X delivered until `done` holds; false after three seconds.
template <typename Done> bool WaitFor(Done done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 3000)
            return false;
        QTest::qWait(20);
    }
    return true;
}

using X11ViewTest = ViewFixture;

TEST_F(X11ViewTest, ClickARowPressDeleteConfirmAndTheDataFileNoLongerHoldsIt) {
    Start({Event(100, true, "first"), Event(200, true, "second"), Event(300, false, "third")});
    Deliver();
    QString path;
    GetDataFilePath(path);
    ASSERT_TRUE(doc.OnSaveDocument(path));
    view->clearSelection();

    frame.move(40, 40);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QTableWidgetItem* second = view->item(1, kColumnColor);
    const QPoint target = view->viewport()->mapToGlobal(view->visualItemRect(second).center());

    ASSERT_TRUE(Xdotool({"mousemove", "--sync", QString::number(target.x()),
                         QString::number(target.y()), "click", "1"}));
    ASSERT_TRUE(WaitFor([&] { return view->selectionModel()->isRowSelected(1, {}); }));
    ASSERT_TRUE(WaitFor([&] { return view->hasFocus(); }));

    platform.messageBox.answers = {IDYES};
    ASSERT_TRUE(Xdotool({"key", "Delete"}));
    ASSERT_TRUE(WaitFor([&] { return view->rowCount() == 2; }));
    ASSERT_TRUE(WaitFor([&] {
        return std::count(frame.commands.begin(), frame.commands.end(), ID_FILE_SAVE) == 1;
    }));

    ASSERT_EQ(platform.messageBox.shown.size(), 1u);
    EXPECT_EQ(platform.messageBox.shown[0].text,
              "Are you sure you wish to Delete Selected Records ?");
    EXPECT_EQ(Column(kColumnNumber), QStringList({"1", "2"}));
    CTintwatchDoc reread(platform.screen, platform.messageBox);
    ASSERT_EQ(reread.OnOpenDocument(path), CTintwatchDoc::OpenResult::Complete);
    ASSERT_EQ(reread.m_arrEvents.size(), 2u);
    EXPECT_EQ(reread.m_arrEvents[0].m_sComment, "first");
    EXPECT_EQ(reread.m_arrEvents[1].m_sComment, "third");
}

} // namespace
