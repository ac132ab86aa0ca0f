// The colour column shows the matched colour as a swatch beside its unchanged words, and
// follows the colour when the event changes.
#include "view_fixture.h"

#include <QIcon>

namespace {

using ColourColumnTest = ViewFixture;

QColor SwatchCentre(const QTableWidgetItem& cell) {
    return cell.icon().pixmap(16, 16).toImage().pixelColor(8, 8);
}

TEST_F(ColourColumnTest, SwatchOfTheMatchedColourBesideTheText) {
    CEventInfo event = Event(100, false);
    event.m_clrMatch = RGB(10, 200, 30);
    CEventInfo white = Event(100, false);
    white.m_clrMatch = RGB(255, 255, 255);
    Start({event, white});

    const QTableWidgetItem& first = *view->item(0, kColumnColor);
    EXPECT_EQ(first.text(), "Red 10 Green 200 Blue 30");
    EXPECT_EQ(SwatchCentre(first), QColor(10, 200, 30));
    EXPECT_EQ(SwatchCentre(*view->item(1, kColumnColor)), QColor(255, 255, 255));
    // A white swatch still shows its edge on a white list.
    EXPECT_NE(view->item(1, kColumnColor)->icon().pixmap(16, 16).toImage().pixelColor(0, 8),
              QColor(255, 255, 255));

    view->GetItemData(0)->m_clrMatch = RGB(0, 0, 255);
    UpdateEventRow(0, *view, *timers);
    EXPECT_EQ(first.text(), "Red 0 Green 0 Blue 255");
    EXPECT_EQ(SwatchCentre(first), QColor(0, 0, 255));
}

} // namespace
