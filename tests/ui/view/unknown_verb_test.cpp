// A detection whose verb nobody understands still counts, beeps and saves as any other; the
// status bar names the event, once, until its verb changes.
#include "view_fixture.h"

namespace {

using UnknownVerbTest = ViewFixture;

TEST_F(UnknownVerbTest, NamedOncePerEventUntilItsVerbChanges) {
    auto launching = [](const QString& verb, int execute, const QString& comment) {
        CEventInfo event = Event(100, true, comment);
        event.m_bExecute = execute;
        event.m_sCommand = verb;
        event.m_sFilePath = QStringLiteral("/tmp/notes.txt");
        return event;
    };
    Start({launching("Opne", 1, "door bell"), launching("EDIT", 1, ""),
           launching("Opne", 0, "no launch"), launching("Opne", 1, "")});
    platform.screen.background = RGB(200, 0, 0); // every point differs: each tick detects
    QStringList notes;
    QObject::connect(view.get(), &CTintwatchView::StatusNote,
                     [&](const QString& text) { notes << text; });

    tick(1);
    ASSERT_EQ(notes, QStringList{"Event 1 (\"door bell\"): the verb \"Opne\" is not one of open, "
                                 "edit, print and explore, so nothing was opened."});
    EXPECT_EQ(view->GetItemText(0, kColumnCount), "1 Detected Out of 100");
    EXPECT_EQ(Saves(), 1);
    tick(1);
    EXPECT_EQ(notes.size(), 1) << "said once, not at every detection";
    EXPECT_EQ(view->GetItemText(0, kColumnCount), "2 Detected Out of 100");

    // Known verbs, whatever their case, and events that launch nothing are not mentioned.
    tick(2);
    tick(3);
    EXPECT_EQ(notes.size(), 1);
    // Each event is named on its own.
    tick(4);
    ASSERT_EQ(notes.size(), 2);
    EXPECT_TRUE(notes[1].startsWith("Event 4: the verb \"Opne\"")) << notes[1].toStdString();

    // A changed verb is named again; after a known one, the old mistake is news again.
    view->GetItemData(0)->m_sCommand = QStringLiteral("Opn");
    tick(1);
    ASSERT_EQ(notes.size(), 3);
    EXPECT_TRUE(notes[2].contains("\"Opn\""));
    view->GetItemData(0)->m_sCommand = QStringLiteral("open");
    tick(1);
    view->GetItemData(0)->m_sCommand = QStringLiteral("Opn");
    tick(1);
    EXPECT_EQ(notes.size(), 4);
    EXPECT_EQ(view->GetItemText(0, kColumnCount), "5 Detected Out of 100");
}

} // namespace
