#include "schedule/ScheduleRules.h"

#include "platform/Format.h"
#include "ui/common/Module1.h"

#include <algorithm>

namespace ScheduleRules {

namespace {

// The day of a month, or the month's last day when the month is shorter.
QDate dayInMonth(int year, int month, int day)
{
    return QDate(year, month, std::min(day, QDate(year, month, 1).daysInMonth()));
}

} // namespace

Repeat repeatOf(const QString& text)
{
    if (text == Module1::kMensal())
        return Repeat::Monthly;
    if (text == Module1::kAnualmente())
        return Repeat::Yearly;
    if (text == Module1::kNaoRepete())
        return Repeat::Once;
    return Repeat::Unknown;
}

std::optional<QDate> dueDay(Repeat repeat, const QDate& first, const QDate& today)
{
    QDate day;
    switch (repeat) {
    case Repeat::Monthly:
        day = dayInMonth(today.year(), today.month(), first.day());
        break;
    case Repeat::Yearly:
        if (first.month() != today.month())
            return std::nullopt;
        day = dayInMonth(today.year(), first.month(), first.day());
        break;
    case Repeat::Once:
        day = first;
        break;
    case Repeat::Unknown:
        return std::nullopt;
    }
    if (day > today || day < first)
        return std::nullopt;
    return day;
}

std::optional<DuePosting> due(const ScheduleRow& row, const QDate& today)
{
    if (!row.date.isValid())
        return std::nullopt;
    const Repeat repeat = repeatOf(row.repeat);
    const std::optional<QDate> day = dueDay(repeat, row.date, today);
    if (!day)
        return std::nullopt;
    DuePosting posting;
    posting.account = row.account;
    posting.category = row.category;
    posting.contact = row.contact;
    // Read only for the rows that are due: most of a day's rows are not.
    posting.amountText = row.amount;
    posting.amount = ReadAmount(row.amount);
    posting.credit = row.type == Module1::kCredito();
    posting.date = *day;
    posting.once = repeat == Repeat::Once;
    return posting;
}

} // namespace ScheduleRules
