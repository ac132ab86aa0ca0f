// Number conversions of the data exchange, the refusal that stops it at the first field, and
// the swatch that paints the colour it is given.
#include "fakes/fake_platform.h"
#include "ui/editor/color_static.h"
#include "ui/editor/data_exchange.h"

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

TEST(DataExchange, NumbersAreDecimalsWithinTheirRangeOnly) {
    const std::pair<const char*, std::optional<int>> signedCases[] = {
        {"0", 0},
        {" 42 ", 42},
        {"+7", 7},
        {"-15", -15},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<int>::min()},
        {"", {}},
        {"-", {}},
        {"2147483648", {}},
        {"-2147483649", {}},
        {"12a", {}},
        {"1 2", {}},
        {"0x10", {}},
        {"1.5", {}}};
    for (const auto& [text, value] : signedCases)
        EXPECT_EQ(ParseInt32(QString::fromLatin1(text)), value) << text;
    const std::pair<const char*, std::optional<std::uint32_t>> unsignedCases[] = {
        {"007", 7u}, {"4294967295", 4294967295u}, {"", {}},       {"-1", {}},
        {"+1", {}},  {"4294967296", {}},          {"5000ms", {}}, {"١٢", {}}};
    for (const auto& [text, value] : unsignedCases)
        EXPECT_EQ(ParseUInt32(QString::fromUtf8(text)), value) << text;
}

TEST(DataExchange, FillsThenSavesAndStopsAtTheFirstRefusedField) {
    QWidget owner;
    auto* count = new QLineEdit(&owner);
    auto* frequency = new QLineEdit(&owner);
    auto* comment = new QLineEdit(&owner);
    auto* flag = new QCheckBox(&owner);
    const QHash<int, QWidget*> controls{{1, count}, {2, frequency}, {3, comment}, {4, flag}};
    FakeMessageBox messages;
    int countValue = -3;
    std::uint32_t frequencyValue = 4000000000u;
    QString commentValue = QStringLiteral("x");
    int flagValue = 5;
    const auto exchange = [&](bool save) {
        CDataExchange dx(controls, messages, &owner, save);
        dx.Text(1, countValue);
        dx.Text(2, frequencyValue);
        dx.Text(3, commentValue);
        dx.Check(4, flagValue);
        return dx.Succeeded();
    };
    EXPECT_TRUE(exchange(false));
    EXPECT_EQ(count->text(), QStringLiteral("-3"));
    EXPECT_EQ(frequency->text(), QStringLiteral("4000000000"));
    EXPECT_TRUE(flag->isChecked());

    count->setText(QStringLiteral("12"));
    frequency->setText(QStringLiteral("-1"));
    comment->setText(QStringLiteral("kept back"));
    flag->setChecked(false);
    EXPECT_FALSE(exchange(true));
    EXPECT_EQ(countValue, 12);
    EXPECT_EQ(frequencyValue, 4000000000u);
    EXPECT_EQ(commentValue, QStringLiteral("x"));
    EXPECT_EQ(flagValue, 5);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Please enter a positive integer."));

    frequency->setText(QStringLiteral("9"));
    EXPECT_TRUE(exchange(true));
    EXPECT_EQ(frequencyValue, 9u);
    EXPECT_EQ(commentValue, QStringLiteral("kept back"));
    EXPECT_EQ(flagValue, 0) << "a clear box gives 0";
    flag->setChecked(true);
    exchange(true);
    EXPECT_EQ(flagValue, 1) << "a checked box gives 1";
}

TEST(ColorStatic, PaintsNothingBeforeTheFirstColourThenOnlyThatColour) {
    CColorStatic swatch;
    swatch.resize(40, 20);
    const auto count = [&swatch](QColor color) {
        QImage image(swatch.size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        swatch.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += QColor(image.pixel(x, y)) == color ? 1 : 0;
        return n;
    };
    EXPECT_EQ(count(Qt::magenta), 800) << "an ordinary static";
    swatch.SetColor(RGB(10, 200, 30)); // red in the low byte
    EXPECT_EQ(count(QColor(10, 200, 30)), 800);
    swatch.SetColor(kUnreadablePixel);
    EXPECT_EQ(count(Qt::white), 800);
}
