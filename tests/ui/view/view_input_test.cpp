// Keys, double clicks and the context menu reach the commands, each exactly once.
#include "view_fixture.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>

namespace {

class InputTest : public ViewFixture {
protected:
    void SetUp() override {
        Start({Event(100, true, "a"), Event(200, true, "b")});
        Deliver();
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        view->setFocus();
    }

    // The frame's accelerators, as the main window will have them: each runs the command on
    // the view and counts how often it fired.
    void AddFrameShortcut(const QKeySequence& keys, int id) {
        auto* action = new QAction(&frame);
        action->setShortcut(keys);
        QObject::connect(action, &QAction::triggered, &frame, [this, id] {
            ++acceleratorRuns;
            view->OnCommand(id);
        });
        frame.addAction(action);
    }

    QPoint CellCentre(int row) const {
        return view->visualItemRect(view->item(row, kColumnComment)).center();
    }

    int acceleratorRuns = 0;
};

TEST_F(InputTest, EnterOnTheListEditsTheSelectedRowOnceEvenWithAFrameAccelerator) {
    AddFrameShortcut(QKeySequence(Qt::Key_Return), ID_EVENT_EDIT);
    Select(1);
    QTest::keyClick(view.get(), Qt::Key_Return);
    EXPECT_EQ(editor.runs, 1);
    QTest::keyClick(view.get(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(editor.runs, 2);
    EXPECT_TRUE(editor.lastEditMode);
    EXPECT_EQ(acceleratorRuns, 0);
}

TEST_F(InputTest, DeleteOnTheListAsksOnceAndRemovesTheSelectedRow) {
    AddFrameShortcut(QKeySequence(Qt::Key_Delete), ID_EVENT_DELETE);
    Select(0);
    platform.messageBox.answers = {IDYES};
    QTest::keyClick(view.get(), Qt::Key_Delete);
    EXPECT_EQ(platform.messageBox.shown.size(), 1u);
    EXPECT_EQ(Column(kColumnComment), QStringList({"b"}));
    EXPECT_EQ(acceleratorRuns, 0);
}

TEST_F(InputTest, OtherKeysStillMoveTheSelection) {
    Select(0);
    QTest::keyClick(view.get(), Qt::Key_Down);
    EXPECT_TRUE(view->selectionModel()->isRowSelected(1, {}));
    EXPECT_EQ(editor.runs, 0);
    EXPECT_TRUE(platform.messageBox.shown.empty());
}

TEST_F(InputTest, DoubleClickOnARowEditsIt) {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, CellCentre(1));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, CellCentre(1));
    EXPECT_EQ(editor.runs, 1);
    EXPECT_TRUE(editor.lastEditMode);
    EXPECT_TRUE(platform.messageBox.shown.empty());
}

TEST_F(InputTest, DoubleClickWithNothingSelectedShowsTheMessageAndOpensNoEditor) {
    view->clearSelection();
    const QPoint below(20, view->viewport()->height() - 5);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, below);
    EXPECT_EQ(editor.runs, 0);
    ASSERT_EQ(platform.messageBox.shown.size(), 1u);
    EXPECT_EQ(platform.messageBox.shown[0].text,
              "Please Select a Single Event from the List to Continue.");
    EXPECT_TRUE(view->hasFocus());
}

TEST_F(InputTest, ContextMenuHoldsTheResourcesItemsVerbatim) {
    QMenu* menu = view->ContextMenu();
    ASSERT_NE(menu, nullptr);
    QStringList items;
    for (QAction* action : menu->actions())
        items << (action->isSeparator()
                      ? QStringLiteral("-")
                      : QStringLiteral("%1 %2").arg(action->data().toInt()).arg(action->text()));
    EXPECT_EQ(items, QStringList({"32779 Add New Color Detection\tCtrl+N", "-",
                                  "32780 Edit Selected Record\tEnter",
                                  "32781 Delete Selected Record(s)\tDel", "-",
                                  "32783 Enable / Disable Change Detection for Selected Record(s)",
                                  "-", "32784 Show Cursor Position"}));
}

TEST_F(InputTest, ContextMenuOpensAtThePointAndItsCommandsComeToTheView) {
    // Near the top left, so the menu fits on the screen where it opens.
    const QPoint local = view->visualItemRect(view->item(0, kColumnNumber)).center();
    const QPoint global = view->viewport()->mapToGlobal(local);
    QContextMenuEvent event(QContextMenuEvent::Mouse, local, global);
    QCoreApplication::sendEvent(view->viewport(), &event);
    QMenu* menu = view->ContextMenu();
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->pos(), global);
    menu->close();

    Select(0);
    const auto action = [menu](int id) {
        for (QAction* a : menu->actions())
            if (a->data().toInt() == id)
                return a;
        return static_cast<QAction*>(nullptr);
    };
    action(ID_POPUP_EVENT_TOGGLE)->trigger();
    EXPECT_EQ(view->GetItemText(0, kColumnEnabled), "No");
    action(ID_POPUP_SHOW_CURSOR)->trigger();
    EXPECT_EQ(platform.screen.warps.size(), 1u);

    // Adding waits until the menu has closed: it is posted, and the editor opens only then.
    action(ID_POPUP_EVENT_NEW)->trigger();
    EXPECT_EQ(editor.runs, 0);
    Deliver();
    EXPECT_EQ(editor.runs, 1);
    EXPECT_FALSE(editor.lastEditMode);
}

} // namespace
