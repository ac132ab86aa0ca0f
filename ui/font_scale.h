// Sizes drawn for the classic 8-point dialog font, carried over to the font in use here: the
// same letters take more pixels in most desktop fonts, and texts must not be cut off.
#pragma once

#include <QFontMetricsF>
#include <QString>

#include <algorithm>

// Average width of a letter, the measure dialog units are derived from.
inline double AverageLetterWidth(const QFontMetricsF& metrics) {
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return metrics.horizontalAdvance(letters) / static_cast<double>(letters.size());
}

// The classic dialog font's average letter width, in pixels.
inline constexpr double kClassicLetterWidth = 6.0;

// A width in pixels of the classic font, grown in proportion for `metrics`; never narrower.
inline int ScaleClassicWidth(int width, const QFontMetricsF& metrics) {
    return std::max(width, qRound(width * AverageLetterWidth(metrics) / kClassicLetterWidth));
}
