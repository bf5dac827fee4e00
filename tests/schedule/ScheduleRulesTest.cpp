// When a schedule falls due, without a window or a database.

#include "schedule/ScheduleRules.h"

#include <gtest/gtest.h>

using ScheduleRules::Repeat;

namespace {

QDate d(const char* iso)
{
    return QDate::fromString(QLatin1String(iso), Qt::ISODate);
}

} // namespace

TEST(ScheduleRules, dueDay_monthEndsLeapYearsFirstDateAndLateOneTimeSchedules)
{
    struct Case
    {
        Repeat repeat;
        const char* first;
        const char* today;
        const char* due; // "" for not due
    };
    const Case cases[] = {
        {Repeat::Monthly, "2026-01-10", "2026-12-09", ""},
        {Repeat::Monthly, "2026-01-10", "2026-12-10", "2026-12-10"},
        {Repeat::Monthly, "2026-01-31", "2026-02-27", ""},
        {Repeat::Monthly, "2026-01-31", "2026-02-28", "2026-02-28"},
        {Repeat::Monthly, "2026-01-31", "2028-02-29", "2028-02-29"},
        {Repeat::Monthly, "2026-01-31", "2026-04-30", "2026-04-30"},
        {Repeat::Monthly, "2027-03-02", "2026-12-05", ""}, // never before its first date
        {Repeat::Monthly, "2026-12-03", "2026-12-05", "2026-12-03"},
        {Repeat::Yearly, "2024-02-29", "2026-02-28", "2026-02-28"},
        {Repeat::Yearly, "2024-02-29", "2028-02-28", ""},
        {Repeat::Yearly, "2024-02-29", "2028-02-29", "2028-02-29"},
        {Repeat::Yearly, "2024-02-29", "2026-03-01", ""},
        {Repeat::Yearly, "2020-07-15", "2026-07-31", "2026-07-15"},
        {Repeat::Once, "2026-12-05", "2026-12-05", "2026-12-05"},
        {Repeat::Once, "2025-11-20", "2026-12-05", "2025-11-20"},
        {Repeat::Once, "2026-12-06", "2026-12-05", ""},
        {Repeat::Unknown, "2026-12-01", "2026-12-05", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " on " + c.today);
        EXPECT_EQ(ScheduleRules::dueDay(c.repeat, d(c.first), d(c.today)).value_or(QDate()), d(c.due));
    }
}

// What the posting tests do not reach: other spellings of the texts.
TEST(ScheduleRules, due_anyTypeButCreditIsADebit_otherRepeatTextsAreNeverDue)
{
    ScheduleRow row{7, "Casa", "Luz", "Debito", d("2026-01-05"), "50,25", "Não repetir", "D'Ávila"};
    const auto posting = ScheduleRules::due(row, d("2026-12-05")).value_or(DuePosting());
    EXPECT_EQ(posting.amount, 50.25);
    EXPECT_FALSE(posting.credit);
    EXPECT_TRUE(posting.once);
    for (const char* repeat : {"Mensal", "mensalmente", "Monthly"}) {
        row.repeat = repeat;
        EXPECT_FALSE(ScheduleRules::due(row, d("2026-12-05"))) << repeat;
    }
}
