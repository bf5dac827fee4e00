// When a schedule falls due, without a window or a database.

#include "schedule/ScheduleRules.h"

#include <gtest/gtest.h>

using ScheduleRules::Repeat;

TEST(ScheduleRules, dueDay_monthEndsLeapYearsFirstDateAndLateOneTimeSchedules)
{
    const auto d = [](const char* iso) { return QDate::fromString(QLatin1String(iso), Qt::ISODate); };
    // The repetition, the first date, today and the day due ("" for not due).
    const std::tuple<Repeat, const char*, const char*, const char*> cases[] = {
        {Repeat::Monthly, "2026-01-10", "2026-12-09", ""},
        {Repeat::Monthly, "2026-01-10", "2026-12-10", "2026-12-10"},
        {Repeat::Monthly, "2026-01-31", "2026-02-27", ""},
        {Repeat::Monthly, "2026-01-31", "2026-02-28", "2026-02-28"},
        {Repeat::Monthly, "2026-01-31", "2028-02-29", "2028-02-29"},
        {Repeat::Monthly, "2026-01-31", "2026-04-30", "2026-04-30"},
        {Repeat::Monthly, "2027-03-02", "2026-12-05", ""}, // never before its first date
        {Repeat::Yearly, "2024-02-29", "2026-02-28", "2026-02-28"},
        {Repeat::Yearly, "2024-02-29", "2028-02-28", ""},
        {Repeat::Yearly, "2024-02-29", "2028-02-29", "2028-02-29"},
        {Repeat::Yearly, "2024-02-29", "2026-03-01", ""},
        {Repeat::Yearly, "2020-07-15", "2026-07-14", ""},
        {Repeat::Yearly, "2020-07-15", "2026-07-31", "2026-07-15"},
        {Repeat::Once, "2026-12-05", "2026-12-05", "2026-12-05"},
        {Repeat::Once, "2025-11-20", "2026-12-05", "2025-11-20"},
        {Repeat::Once, "2026-12-06", "2026-12-05", ""},
    };
    for (const auto& [repeat, first, today, due] : cases) {
        SCOPED_TRACE(std::string(first) + " on " + today);
        EXPECT_EQ(ScheduleRules::dueDay(repeat, d(first), d(today)).value_or(QDate()), d(due));
    }
}
