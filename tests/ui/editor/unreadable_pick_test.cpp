// A pick on a point the screen cannot show us (a gap between monitors, a window the display
// server keeps to itself) is refused in the editor, with a hint, and changes no field.
#include "editor_test_support.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

QString Hint(const char* start, const char* key, const char* end) {
    return QStringLiteral("%1 and Press %2 Key %3")
        .arg(QLatin1String(start), QLatin1String(key), QLatin1String(end));
}

TEST(UnreadablePick, IsRefusedWithAHintAndEveryFieldKeepsItsValue) {
    EditorHarness h;
    CEventInfo event;
    event.m_ptLocation = QPoint(321, 654);
    event.m_clrMatch = RGB(1, 2, 3);
    event.m_clrTarget = RGB(200, 100, 50);
    event.m_bExecute = 0;
    CDlgColorEvent& dialog = h.Open(event, true);
    const QString picked = QStringLiteral("Move Cursor to the Desired Position");
    const QString refused =
        QStringLiteral("Cannot Read the Color at that Position. Move Cursor Elsewhere");

    h.fakes.screen.cursor = QPoint(1500, 40);
    h.fakes.screen.background = kUnreadablePixel;
    dialog.OnLocationUnderCursor();
    dialog.OnColorUnderCursor();
    EXPECT_EQ(dialog.m_stcLocationHint->text(), Hint(qPrintable(refused), " F6 ", "Again."));
    EXPECT_EQ(dialog.m_stcColorHint->text(), Hint(qPrintable(refused), " F7 ", "Again."));
    for (const QLabel* hint : {dialog.m_stcLocationHint, dialog.m_stcColorHint})
        EXPECT_LE(hint->heightForWidth(hint->width()), hint->height()) << "clipped";
    EXPECT_TRUE(h.fakes.messageBox.shown.empty());
    EXPECT_EQ(h.Text(IDC_X), QStringLiteral("321"));
    EXPECT_EQ(h.Text(IDC_RED), QStringLiteral("1"));
    EXPECT_EQ(dialog.m_stcMatchColor->m_clrColor, RGB(1, 2, 3));
    EXPECT_EQ(dialog.m_stcTargetColor->m_clrColor, RGB(200, 100, 50));

    // A readable pick afterwards is taken, and the hint is the key's again.
    h.fakes.screen.background = RGB(9, 9, 9);
    dialog.OnColorUnderCursor();
    EXPECT_EQ(dialog.m_stcColorHint->text(),
              Hint(qPrintable(picked), " F7 ", "to Get the Color Under Curor."));
    dialog.OnOK();
    EXPECT_EQ(event.m_ptLocation, QPoint(321, 654));
    EXPECT_EQ(event.m_clrMatch, RGB(1, 2, 3));
    EXPECT_EQ(event.m_clrTarget, RGB(9, 9, 9));
}

} // namespace
