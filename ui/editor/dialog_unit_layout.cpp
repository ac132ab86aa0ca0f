#include "dialog_unit_layout.h"

#include "ui/font_scale.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QWidget>

#include <cmath>

namespace {
constexpr double kGrowthStep = 0.02;
constexpr double kMaxGrowth = 2.0;

QString WithoutMnemonic(QString text) {
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

QRect ToPixels(const QRect& units, QSizeF perUnit) {
    const auto x = [&](int v) { return static_cast<int>(std::lround(v * perUnit.width())); };
    const auto y = [&](int v) { return static_cast<int>(std::lround(v * perUnit.height())); };
    return QRect(QPoint(x(units.left()), y(units.top())),
                 QPoint(x(units.left() + units.width()), y(units.top() + units.height())) -
                     QPoint(1, 1));
}

bool AllFit(const std::vector<PlacedControl>& controls, QSizeF perUnit) {
    for (const PlacedControl& placed : controls) {
        if (!DialogUnitLayout::TextFits(placed.widget,
                                        ToPixels(placed.dialogUnits, perUnit).size()))
            return false;
    }
    return true;
}
} // namespace

QSizeF DialogUnitLayout::PixelsPerUnit(const QFontMetricsF& metrics) {
    return {AverageLetterWidth(metrics) / 4.0, metrics.height() / 8.0};
}

bool DialogUnitLayout::TextFits(const QWidget* control, QSize size) {
    const QFontMetrics metrics = control->fontMetrics();
    if (const auto* box = qobject_cast<const QGroupBox*>(control)) {
        // The title sits inside the frame, indented by about one letter on each side.
        return metrics.horizontalAdvance(WithoutMnemonic(box->title())) +
                   2 * metrics.averageCharWidth() <=
               size.width();
    }
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        if (label->text().isEmpty())
            return true;
        if (label->wordWrap())
            return label->heightForWidth(size.width()) <= size.height();
        const QSize needed = label->sizeHint();
        return needed.width() <= size.width() && needed.height() <= size.height();
    }
    if (const auto* check = qobject_cast<const QCheckBox*>(control)) {
        const QSize needed = check->sizeHint();
        return needed.width() <= size.width() && needed.height() <= size.height();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        // The caption with a little air on each side and above and below.
        const int air = metrics.averageCharWidth();
        return metrics.horizontalAdvance(WithoutMnemonic(button->text())) + air <= size.width() &&
               metrics.height() + air / 2 <= size.height();
    }
    return true;
}

double DialogUnitLayout::Apply(QWidget* dialog, QSize dialogUnits,
                               const std::vector<PlacedControl>& controls) {
    const QSizeF base = PixelsPerUnit(QFontMetricsF(dialog->font()));
    double growth = 1.0;
    while (growth < kMaxGrowth && !AllFit(controls, base * growth))
        growth += kGrowthStep;
    const QSizeF perUnit = base * growth;
    for (const PlacedControl& placed : controls)
        placed.widget->setGeometry(ToPixels(placed.dialogUnits, perUnit));
    dialog->setFixedSize(ToPixels(QRect(QPoint(0, 0), dialogUnits), perUnit).size());
    return growth;
}
