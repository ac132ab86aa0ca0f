// The editor's layout at this desktop's font (and, run again, at twice the scale): no text is
// clipped and the template's arrangement is kept.
#include "editor_test_support.h"

#include "ui/editor/color_event_template.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

#include <gtest/gtest.h>

namespace {
QString Shown(QString text) {
    return text.remove(QLatin1Char('&'));
}

// Every visible child that is placed by the template, with its place in dialog units.
std::vector<std::pair<QWidget*, QRect>> Placed(const CDlgColorEvent& dialog) {
    std::vector<std::pair<QWidget*, QRect>> placed;
    const QList<QWidget*> children =
        dialog.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    const auto& controls = ColorEventTemplate();
    EXPECT_EQ(children.size(), static_cast<qsizetype>(controls.size()));
    for (QWidget* child : children) {
        const auto index = static_cast<std::size_t>(child->property("templateIndex").toInt());
        EXPECT_LT(index, controls.size());
        if (index < controls.size())
            placed.emplace_back(child, controls[index].dialogUnits);
    }
    return placed;
}

void ExpectNothingClipped(const CDlgColorEvent& dialog) {
    const QRect inside(QPoint(0, 0), dialog.size());
    for (const auto& [widget, units] : Placed(dialog)) {
        const QRect r = widget->geometry();
        EXPECT_TRUE(inside.contains(r)) << widget->metaObject()->className();
        const QFontMetrics fm = widget->fontMetrics();
        if (const auto* label = qobject_cast<QLabel*>(widget)) {
            if (label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(r.width()), r.height())
                    << label->text().toStdString();
            } else {
                EXPECT_LE(fm.horizontalAdvance(Shown(label->text())), r.width())
                    << label->text().toStdString();
            }
        } else if (const auto* button = qobject_cast<QAbstractButton*>(widget)) {
            EXPECT_LT(fm.horizontalAdvance(Shown(button->text())), r.width())
                << button->text().toStdString();
            EXPECT_LE(button->sizeHint().height(), r.height()) << button->text().toStdString();
        } else if (const auto* box = qobject_cast<QGroupBox*>(widget)) {
            EXPECT_LT(fm.horizontalAdvance(box->title()), r.width()) << box->title().toStdString();
        }
        EXPECT_GE(r.height(), fm.height()) << widget->metaObject()->className();
    }
}

// Controls that stand apart, side by side or one above the other, in dialog units still do.
void ExpectArrangementKept(const CDlgColorEvent& dialog) {
    const auto placed = Placed(dialog);
    for (const auto& [a, ua] : placed) {
        for (const auto& [b, ub] : placed) {
            if (ua.left() + ua.width() <= ub.left()) {
                EXPECT_LE(a->geometry().right(), b->geometry().left());
            }
            if (ua.top() + ua.height() <= ub.top()) {
                EXPECT_LE(a->geometry().bottom(), b->geometry().top());
            }
            if (ua.contains(ub)) {
                EXPECT_TRUE(a->geometry().contains(b->geometry()));
            }
        }
    }
}

class EditorLayoutTest : public ::testing::Test {
protected:
    EditorHarness h;
    CEventInfo event;
};
} // namespace

TEST_F(EditorLayoutTest, NothingClippedAtTheDesktopFontAndWithTheLongestHints) {
    h.Open(event, false);
    ExpectNothingClipped(*h.dialog);
    ExpectArrangementKept(*h.dialog);
    h.dialog->reject();

    h.fakes.hotKeys.takenElsewhere = {VK_F6, VK_F7, VK_F8, VK_F9};
    h.Open(event, false);
    EXPECT_TRUE(h.dialog->m_stcLocationHint->text().contains(QStringLiteral("SpaceBar")));
    ExpectNothingClipped(*h.dialog);
}

TEST_F(EditorLayoutTest, LargerFontGrowsTheDialogAndStillClipsNothing) {
    h.Open(event, true);
    const QSize before = h.dialog->size();
    QFont font = h.dialog->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    h.dialog->setFont(font);
    EXPECT_GE(h.dialog->width(), before.width() * 7 / 5);
    ExpectNothingClipped(*h.dialog);
    ExpectArrangementKept(*h.dialog);
}
