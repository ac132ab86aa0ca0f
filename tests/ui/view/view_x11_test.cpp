// The real widget on a real X display, driven by real input from xdotool: a click selects a
// row, the Delete key removes it, and the data file follows.
#include "support/waiting.h"
#include "support/x11_session.h"
#include "view_fixture.h"

#include <QTest>

namespace {

using X11ViewTest = ViewFixture;

TEST_F(X11ViewTest, ClickARowPressDeleteConfirmAndTheDataFileNoLongerHoldsIt) {
    Start({Event(100, true, "first"), Event(200, true, "second"), Event(300, false, "third")});
    Deliver();
    const QString path = FreshDataFile();
    ASSERT_TRUE(doc.OnSaveDocument(path));
    view->clearSelection();
    frame.move(40, 40);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    const QPoint target =
        view->viewport()->mapToGlobal(view->visualItemRect(view->item(1, kColumnColor)).center());

    ASSERT_TRUE(Xdotool({"mousemove", "--sync", QString::number(target.x()),
                         QString::number(target.y()), "click", "1"}));
    ASSERT_TRUE(WaitUntil([&] { return view->selectionModel()->isRowSelected(1, {}); }));
    ASSERT_TRUE(WaitUntil([&] { return view->hasFocus(); }));
    platform.messageBox.answers = {IDYES};
    ASSERT_TRUE(Xdotool({"key", "Delete"}));
    ASSERT_TRUE(WaitUntil([&] {
        return std::count(frame.commands.begin(), frame.commands.end(), ID_FILE_SAVE) == 1;
    }));

    EXPECT_EQ(Column(kColumnNumber), QStringList({"1", "2"}));
    const auto events = Reread(path);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].m_sComment, "first");
    EXPECT_EQ(events[1].m_sComment, "third");
}

} // namespace
