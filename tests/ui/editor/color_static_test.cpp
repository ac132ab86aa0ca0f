// The swatch paints one solid colour once given one, and nothing of its own before.
#include "ui/editor/color_static.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {
// Renders the swatch over a canvas of `canvas` colour and counts pixels of `color`.
int CountPixels(CColorStatic& swatch, QColor canvas, QColor color) {
    QImage image(swatch.size(), QImage::Format_RGB32);
    image.fill(canvas);
    swatch.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += QColor(image.pixel(x, y)) == color ? 1 : 0;
    return count;
}
} // namespace

TEST(ColorStatic, PaintsNothingBeforeTheFirstColourThenOnlyThatColour) {
    CColorStatic swatch;
    swatch.resize(40, 20);
    const int area = 40 * 20;
    EXPECT_FALSE(swatch.m_brush);
    EXPECT_EQ(CountPixels(swatch, Qt::magenta, Qt::magenta), area) << "an ordinary static";

    swatch.SetColor(RGB(10, 200, 30)); // red in the low byte
    EXPECT_EQ(swatch.m_clrColor, RGB(10, 200, 30));
    EXPECT_EQ(CountPixels(swatch, Qt::magenta, QColor(10, 200, 30)), area);

    swatch.SetColor(RGB(255, 0, 0));
    EXPECT_EQ(CountPixels(swatch, Qt::magenta, QColor(255, 0, 0)), area);
}

TEST(ColorStatic, UnreadablePixelPaintsItsColourBytes) {
    CColorStatic swatch;
    swatch.resize(8, 8);
    swatch.SetColor(kUnreadablePixel);
    EXPECT_EQ(CountPixels(swatch, Qt::black, Qt::white), 64);
}
