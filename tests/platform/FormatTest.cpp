#include "platform/Format.h"

#include <gtest/gtest.h>

TEST(Format, ledgerMasks)
{
    EXPECT_EQ(Format(1200.5, "$###,##0.00"), "$1,200.50");
    EXPECT_EQ(Format(0, "$###,##0.00"), "$0.00");
    EXPECT_EQ(Format(-20, "$-###,##0.00"), "$-20.00");
    EXPECT_EQ(Format(20, "$-###,##0.00"), "$20.00");
    EXPECT_EQ(Format(-20, "$###,##0.00"), "$-20.00");
    EXPECT_EQ(Format(-1234567.891, "-###,##0.00"), "-1,234,567.89");
    EXPECT_EQ(Format(1234567.891, "###,##0.00"), "1,234,567.89");
    EXPECT_EQ(Format(0.5, "###,##0.00"), "0.50");
}

TEST(Format, roundsHalfAwayFromZeroOnTheShortestDecimal_andZeroHasNoSign)
{
    EXPECT_EQ(Format(2.675, "$###,##0.00"), "$2.68");
    EXPECT_EQ(Format(-2.675, "$-###,##0.00"), "$-2.68");
    EXPECT_EQ(Format(1.005, "$###,##0.00"), "$1.01");
    EXPECT_EQ(Format(999.995, "$###,##0.00"), "$1,000.00");
    EXPECT_EQ(Format(0.3 - (0.1 + 0.2), "$###,##0.00"), "$0.00");
    EXPECT_EQ(Format(0.3 - (0.1 + 0.2), "$-###,##0.00"), "$0.00");
    EXPECT_EQ(Format(-0.004, "$-###,##0.00"), "$0.00");
    EXPECT_EQ(Format(1e15, "###,##0.00"), "1,000,000,000,000,000.00");
}

TEST(Format, cdblReadsTheLeadingNumber)
{
    EXPECT_EQ(CDbl("12.5"), 12.5);
    EXPECT_EQ(CDbl("$1,200.50"), 1200.5);
    EXPECT_EQ(CDbl(" -3"), -3);
    EXPECT_EQ(CDbl("abc"), 0);
    EXPECT_EQ(CDbl(""), 0);
    EXPECT_EQ(CDbl("7x"), 7);
    EXPECT_EQ(Str(26), "26");
    EXPECT_EQ(Str(1200.5), "1200.5");
    EXPECT_EQ(Str(-20.0), "-20");
}

TEST(Format, datesUseTheFixedShortForm)
{
    EXPECT_EQ(ShortDate(QDate(2026, 12, 5)), "05/12/26");
    EXPECT_EQ(ShortDate(QDate(2006, 3, 5)), "05/03/06");
    QDate d;
    EXPECT_TRUE(ParseDate("05/03/06", d));
    EXPECT_EQ(d, QDate(2006, 3, 5));
    EXPECT_TRUE(ParseDate("29/02/2024", d));
    EXPECT_EQ(d, QDate(2024, 2, 29));
    EXPECT_TRUE(ParseDate("01/01/1999", d));
    EXPECT_EQ(d, QDate(1999, 1, 1));
    const QDate before = d;
    for (const char* bad : {"31/02/26", "29/02/25", "5/3/06", "05/03/", "  /  /  ", "", "05-03-06", "05/13/06"}) {
        EXPECT_FALSE(ParseDate(bad, d)) << bad;
        EXPECT_EQ(d, before);
    }
}
