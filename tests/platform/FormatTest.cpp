#include "platform/Format.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

TEST(Format, ledgerMasks_roundHalfAwayFromZeroOnTheShortestDecimal_andZeroHasNoSign)
{
    // clang-format off
    const std::tuple<double, const char*, const char*> cases[] = {
        {123.45, "$###,##0.00", "$123.45"},           {250000, "$###,##0.00", "$250,000.00"},
        {1200.5, "$###,##0.00", "$1,200.50"},         {-100345936.6, "$-###,##0.00", "$-100,345,936.60"},
        {0, "$###,##0.00", "$0.00"},                  {-20, "$-###,##0.00", "$-20.00"},
        {-20, "$###,##0.00", "$-20.00"},              {-1234567.891, "-###,##0.00", "-1,234,567.89"},
        {2.675, "$###,##0.00", "$2.68"},              {-2.675, "$-###,##0.00", "$-2.68"},
        {1.005, "$###,##0.00", "$1.01"},              {999.995, "$###,##0.00", "$1,000.00"},
        {-0.004, "$-###,##0.00", "$0.00"},            {0.3 - (0.1 + 0.2), "$-###,##0.00", "$0.00"},
        {1e15, "###,##0.00", "1,000,000,000,000,000.00"}};
    // clang-format on
    for (const auto& [value, mask, expected] : cases)
        EXPECT_EQ(Format(value, mask), expected) << value << " " << mask;
}

// What the window's typed cases do not reach: signs, bare marks, the limits.
TEST(Format, enteredAmount_isReadAsAPersonMeansIt_orRefusedWithTheReason)
{
    using P = AmountReading::Problem;
    // clang-format off
    const std::tuple<const char*, P, double> cases[] = {
        {"-1.234,50", P::None, -1234.5},          {"+7", P::None, 7},                 {",5", P::None, 0.5},
        {"5,", P::None, 5},                        {" 12,30 ", P::None, 12.3},         {"1.234.567", P::None, 1234567},
        {"12.000", P::Ambiguous, 0},               {"123,450", P::Ambiguous, 0},       {"1234.000", P::TooManyDecimals, 0},
        {"1.234,567", P::TooManyDecimals, 0},      {",500", P::TooManyDecimals, 0},    {"", P::NotANumber, 0},
        {".", P::NotANumber, 0},                   {"1.23.4", P::NotANumber, 0},       {"1,2.3,4", P::NotANumber, 0},
        {"R$ 5", P::NotANumber, 0},                {"1e5", P::NotANumber, 0},
        // A group short or long anywhere is no grouping: "1.23.456" is not 123456.
        {"1.23.456", P::NotANumber, 0},            {"1,23,456", P::NotANumber, 0},     {"1.234.56", P::NotANumber, 0},
        {"12.34.567,89", P::NotANumber, 0},        {"1,23,456.78", P::NotANumber, 0},  {"1,23.45", P::NotANumber, 0},
        {"1.2345.678", P::NotANumber, 0},          {"1.234.5678,9", P::NotANumber, 0}, {".123.456", P::NotANumber, 0},
        {"1234.567,89", P::NotANumber, 0},         {"1.234,567.89", P::NotANumber, 0},
        {"1,234.567.890", P::NotANumber, 0},
        {"90071992547409,91", P::TooLarge, 0},     {"9007199254740,99", P::None, 9007199254740.99},
        {"10000000000000000000", P::None, 1e19},   {"100000000000000000000", P::TooLarge, 0},
    };
    // clang-format on
    for (const auto& [text, problem, value] : cases) {
        const AmountReading read = ReadEnteredAmount(text);
        EXPECT_EQ(read.problem, problem) << text;
        EXPECT_EQ(read.value, value) << text;
    }
    const AmountReading twelve = ReadEnteredAmount("12.000");
    EXPECT_EQ(twelve.asThousands + " " + twelve.asDecimals, "12000 12,00");
    EXPECT_EQ(ReadEnteredAmount("1,234").asDecimals, "");
}

TEST(Format, readAmountTakesEitherDecimalMark_lastSeparatorWins_typedDatesTakeTheirUsualSpellings_refuseTheRest)
{
    // clang-format off
    const std::pair<const char*, double> good[] = {
        {"12.50", 12.5},  {"12,50", 12.5},  {"1,234.50", 1234.5},  {"1.234,56", 1234.56},  {"-52.10", -52.1},
        {"+3", 3},  {" 7 ", 7},  {"1.234.567", 1234567},  {"1,234,567.89", 1234567.89},  {",5", 0.5},
        {"1,234", 1.234},  {"99999999999999999999.99", 1e20}};
    // clang-format on
    for (const auto& [text, value] : good) {
        const auto read = ReadAmount(text);
        ASSERT_TRUE(read) << text;
        EXPECT_DOUBLE_EQ(*read, value) << text;
    }
    for (const char* bad : {"", ".", "-", "abc", "1e9", "$5", "1.2.3", "12.34,5", "1,23.4", "5-", "1 000", "--1"})
        EXPECT_FALSE(ReadAmount(bad)) << bad;
    EXPECT_FALSE(ReadAmount("1,234.50", false));
    EXPECT_EQ(ReadAmount("-52,10", false), -52.1);

    for (double v : {1234.5, -52.1, 0.01, 1e9, 1.005, 2.675, 1e20, 0.0})
        EXPECT_EQ(ReadAmount(AmountText(v)), v) << AmountText(v).toStdString();
    EXPECT_EQ(AmountText(1234.5), "1234.50");
    EXPECT_EQ(AmountText(-52.1), "-52.10");

    EXPECT_EQ(ShortDate(QDate(2026, 12, 5)), "05/12/26");
    EXPECT_EQ(LongDate(QDate(1999, 12, 31)), "31/12/1999");
    QDate d;
    for (const auto& [text, date] :
         {std::pair{"05/03/06", QDate(2006, 3, 5)}, std::pair{"29/02/2024", QDate(2024, 2, 29)},
          std::pair{"31/12/1999", QDate(1999, 12, 31)}, std::pair{"5/3/26", QDate(2026, 3, 5)},
          std::pair{"050326", QDate(2026, 3, 5)}, std::pair{"05032026", QDate(2026, 3, 5)},
          std::pair{"31/12/99", QDate(2099, 12, 31)}}) {
        EXPECT_TRUE(ParseDate(text, d)) << text;
        EXPECT_EQ(d, date) << text;
    }
    const QDate before = d;
    for (const char* bad : {"31/02/26", "29/02/25", "05/03/", "  /  /  ", "", "05-03-06", "05/13/06", "0503261",
                            "5/3/026", "050/3/26", "١٢/٠٣/٢٦"}) {
        EXPECT_FALSE(ParseDate(QString::fromUtf8(bad), d)) << bad;
        EXPECT_EQ(d, before);
    }
}
