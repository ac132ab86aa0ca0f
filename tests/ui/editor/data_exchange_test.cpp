// Number conversions of the data exchange, and the refusal that stops it at the first field.
#include "fakes/fake_platform.h"
#include "ui/editor/data_exchange.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

TEST(ParseInt32, AcceptsSignedDecimalsWithinRangeOnly) {
    EXPECT_EQ(ParseInt32(QStringLiteral("0")), 0);
    EXPECT_EQ(ParseInt32(QStringLiteral(" 42 ")), 42);
    EXPECT_EQ(ParseInt32(QStringLiteral("+7")), 7);
    EXPECT_EQ(ParseInt32(QStringLiteral("-15")), -15);
    EXPECT_EQ(ParseInt32(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(ParseInt32(QStringLiteral("-2147483648")), std::numeric_limits<int>::min());
    for (const char* refused : {"", "  ", "-", "2147483648", "-2147483649", "12a", "1 2", "0x10",
                                "99999999999999999999999", "1.5"})
        EXPECT_EQ(ParseInt32(QString::fromLatin1(refused)), std::nullopt) << refused;
}

TEST(ParseUInt32, AcceptsUnsignedDecimalsWithinRangeOnly) {
    EXPECT_EQ(ParseUInt32(QStringLiteral("007")), 7u);
    EXPECT_EQ(ParseUInt32(QStringLiteral("4294967295")), 4294967295u);
    for (const char* refused : {"", "-1", "+1", "4294967296", "5000ms", "١٢"})
        EXPECT_EQ(ParseUInt32(QString::fromUtf8(refused)), std::nullopt) << refused;
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
    CDataExchange fill(controls, messages, &owner, false);
    fill.Text(1, countValue);
    fill.Text(2, frequencyValue);
    fill.Text(3, commentValue);
    fill.Check(4, flagValue);
    EXPECT_TRUE(fill.Succeeded());
    EXPECT_EQ(count->text(), QStringLiteral("-3"));
    EXPECT_EQ(frequency->text(), QStringLiteral("4000000000"));
    EXPECT_TRUE(flag->isChecked());

    count->setText(QStringLiteral("12"));
    frequency->setText(QStringLiteral("-1"));
    comment->setText(QStringLiteral("kept back"));
    flag->setChecked(false);
    CDataExchange save(controls, messages, &owner, true);
    save.Text(1, countValue);
    save.Text(2, frequencyValue);
    save.Text(3, commentValue);
    save.Check(4, flagValue);
    EXPECT_FALSE(save.Succeeded());
    EXPECT_EQ(countValue, 12);
    EXPECT_EQ(frequencyValue, 4000000000u);
    EXPECT_EQ(commentValue, QStringLiteral("x"));
    EXPECT_EQ(flagValue, 5);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Please enter a positive integer."));

    frequency->setText(QStringLiteral("9"));
    CDataExchange again(controls, messages, &owner, true);
    again.Text(2, frequencyValue);
    again.Check(4, flagValue);
    EXPECT_TRUE(again.Succeeded());
    EXPECT_EQ(frequencyValue, 9u);
    EXPECT_EQ(flagValue, 0) << "a clear box gives 0";
    flag->setChecked(true);
    CDataExchange checked(controls, messages, &owner, true);
    checked.Check(4, flagValue);
    EXPECT_EQ(flagValue, 1) << "a checked box gives 1";
}
