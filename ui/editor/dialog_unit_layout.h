// Places template controls by dialog units converted from the dialog's font, so the dialog keeps
// its designed proportions at any font size, grown evenly where a text would be clipped.
#pragma once

#include "template_builder.h"

#include <QFontMetricsF>
#include <QSizeF>

class DialogUnitLayout {
public:
    // Pixels per dialog unit for `metrics`: a quarter of the average letter width across,
    // an eighth of the line height down.
    static QSizeF PixelsPerUnit(const QFontMetricsF& metrics);

    // Whether `control` shows its whole text (title, label, caption) within `size`.
    static bool TextFits(const QWidget* control, QSize size);

    // Sizes `dialog` to `dialogUnits` and places every control, growing the units evenly,
    // by the smallest step that clips no text. Returns the growth applied (1.0: none).
    static double Apply(QWidget* dialog, QSize dialogUnits,
                        const std::vector<PlacedControl>& controls);
};
