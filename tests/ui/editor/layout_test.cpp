// The editor's layout at this desktop's font (and, run again, at twice the scale): no text is
// clipped, the template's arrangement is kept, and the tab order is the template's.
#include "editor_test_support.h"

#include "ui/editor/color_event_template.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpressionValidator>

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
    const auto& specs = ColorEventTemplate();
    EXPECT_EQ(children.size(), static_cast<qsizetype>(specs.size()));
    for (QWidget* child : children) {
        const auto index = static_cast<std::size_t>(child->property("templateIndex").toInt());
        EXPECT_LT(index, specs.size());
        if (index < specs.size())
            placed.emplace_back(child, specs[index].dialogUnits);
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

TEST_F(EditorLayoutTest, TabOrderFollowsTheTemplateAndFocusStartsOnTheLocationPick) {
    CDlgColorEvent& dialog = h.Open(event, true);
    const std::vector<int> expected = {IDC_LOCATION_UNDER_CURSOR,
                                       IDC_ONLY_SPECIFIC_COLOR,
                                       IDC_COLOR_UNDER_CURSOR,
                                       IDC_COMMAND,
                                       IDC_BROWSE_PATH,
                                       IDC_MAX_COUNT,
                                       IDC_INTERVAL,
                                       IDC_COMMENT,
                                       IDC_ENABLED,
                                       IDC_AUDIO_ALERT,
                                       IDC_FREQUENCY,
                                       IDC_DURATION,
                                       IDC_TEST_BEEP,
                                       IDOK,
                                       IDCANCEL,
                                       IDC_EXECUTE};
    std::vector<int> order;
    QWidget* start = dialog.Control(IDC_LOCATION_UNDER_CURSOR);
    QWidget* w = start;
    do {
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
            w->parentWidget() == &dialog)
            order.push_back(w->property("controlId").toInt());
        w = w->nextInFocusChain();
    } while (w != start);
    EXPECT_EQ(order, expected);
    EXPECT_EQ(dialog.focusWidget(), start);
    for (const int id : {IDC_X, IDC_Y, IDC_RED, IDC_GREEN, IDC_BLUE, IDC_FILE_PATH})
        EXPECT_TRUE(h.Edit(id)->isReadOnly()) << id;
    EXPECT_EQ(h.Edit(IDC_X)->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
}

TEST_F(EditorLayoutTest, EnterInAFieldPressesOk) {
    event.m_sFilePath = QStringLiteral("/usr/bin/true");
    CDlgColorEvent& dialog = h.Open(event, true);
    dialog.activateWindow();
    h.Edit(IDC_COMMENT)->setFocus();
    h.Type(IDC_COMMENT, QStringLiteral("by Enter"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(h.Edit(IDC_COMMENT), &enter);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(event.m_sComment, QStringLiteral("by Enter"));
    EXPECT_TRUE(qobject_cast<QPushButton*>(dialog.Control(IDOK))->isDefault());
}

TEST_F(EditorLayoutTest, DigitsOnlyFieldsRefuseOtherCharactersButTheIntervalTakesAny) {
    h.Open(event, true);
    for (const int id : {IDC_MAX_COUNT, IDC_FREQUENCY, IDC_DURATION}) {
        QLineEdit* edit = h.Edit(id);
        ASSERT_NE(edit->validator(), nullptr) << id;
        QString text = QStringLiteral("12a");
        int position = 0;
        EXPECT_EQ(edit->validator()->validate(text, position), QValidator::Invalid) << id;
        text = QStringLiteral("0815");
        EXPECT_EQ(edit->validator()->validate(text, position), QValidator::Acceptable) << id;
    }
    EXPECT_EQ(h.Edit(IDC_INTERVAL)->validator(), nullptr);
}

TEST_F(EditorLayoutTest, TextsWithTheirDoubledBlanksAreShownAsWritten) {
    h.Open(event, true);
    QStringList texts;
    for (const QWidget* w : h.dialog->findChildren<QWidget*>()) {
        if (const auto* label = qobject_cast<const QLabel*>(w))
            texts << label->text();
        else if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            texts << button->text();
        else if (const auto* box = qobject_cast<const QGroupBox*>(w))
            texts << box->title();
    }
    EXPECT_TRUE(texts.contains(QStringLiteral(
        "Take Action Only when Location Specified Above Changes to  Color Specified Below")));
    EXPECT_TRUE(texts.contains(
        QStringLiteral("&How Many Times at Maximum to Successfully Detect Color Change  :")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Location Under &Cursor")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Milli Seconds")));
}
