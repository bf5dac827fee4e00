#include "platform/Format.h"

#include <gtest/gtest.h>

TEST(Format, ledgerMasks_roundHalfAwayFromZeroOnTheShortestDecimal_andZeroHasNoSign)
{
    const struct
    {
        double value;
        const char* mask;
        const char* expected;
    } cases[] = {
        {1200.5, "$###,##0.00", "$1,200.50"},
        {0, "$###,##0.00", "$0.00"},
        {-20, "$-###,##0.00", "$-20.00"},
        {20, "$-###,##0.00", "$20.00"},
        {-20, "$###,##0.00", "$-20.00"},
        {-1234567.891, "-###,##0.00", "-1,234,567.89"},
        {0.5, "###,##0.00", "0.50"},
        {2.675, "$###,##0.00", "$2.68"},
        {-2.675, "$-###,##0.00", "$-2.68"},
        {1.005, "$###,##0.00", "$1.01"},
        {999.995, "$###,##0.00", "$1,000.00"},
        {0.3 - (0.1 + 0.2), "$###,##0.00", "$0.00"},
        {0.3 - (0.1 + 0.2), "$-###,##0.00", "$0.00"},
        {-0.004, "$-###,##0.00", "$0.00"},
        {1e15, "###,##0.00", "1,000,000,000,000,000.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.value, c.mask), c.expected) << c.value << " " << c.mask;
}

TEST(Format, cdblReadsTheLeadingNumber_strWritesTheShortestForm)
{
    const std::pair<const char*, double> numbers[] = {
        {"12.5", 12.5}, {"$1,200.50", 1200.5}, {" -3", -3}, {"abc", 0}, {"", 0}, {"7x", 7}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(CDbl(text), value) << text;
    EXPECT_EQ(Str(26), "26");
    EXPECT_EQ(Str(1200.5), "1200.5");
    EXPECT_EQ(Str(-20.0), "-20");
}

TEST(Format, datesUseTheFixedShortForm_andImpossibleDatesDoNotParse)
{
    EXPECT_EQ(ShortDate(QDate(2026, 12, 5)), "05/12/26");
    QDate d;
    for (const auto& [text, date] :
         {std::pair{"05/03/06", QDate(2006, 3, 5)}, std::pair{"29/02/2024", QDate(2024, 2, 29)},
          std::pair{"01/01/1999", QDate(1999, 1, 1)}}) {
        EXPECT_TRUE(ParseDate(text, d)) << text;
        EXPECT_EQ(d, date);
    }
    const QDate before = d;
    for (const char* bad : {"31/02/26", "29/02/25", "5/3/06", "05/03/", "  /  /  ", "", "05-03-06", "05/13/06"}) {
        EXPECT_FALSE(ParseDate(bad, d)) << bad;
        EXPECT_EQ(d, before);
    }
}
