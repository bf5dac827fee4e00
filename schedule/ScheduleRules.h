#pragma once

// When a schedule falls due. A schedule is one row of Agenda: an account, a
// category, a contact, a type (credit or debit), a first date, the amount as
// it was typed, and a repetition. No widgets and no database: the rows come in,
// the transaction each stands for on a given day comes out.

#include <QDate>
#include <QString>
#include <optional>

// One Agenda row as it is stored; `rowid` tells it from rows that read the same.
struct ScheduleRow
{
    qint64 rowid = 0;
    QString account;  // conta
    QString category; // categoria
    QString type;     // subcategoria: the credit or debit text
    QDate date;       // data: the first due date; invalid when missing or unreadable
    QString amount;   // contato: the amount text as typed
    QString repeat;   // repete: the repetition text
    QString contact;  // contatoplus
};

// The transaction a due schedule stands for.
struct DuePosting
{
    QString account;
    QString category;
    QString contact;
    // The amount as the schedule holds it, and as read: nothing when it
    // cannot be read, and the schedule cannot be posted.
    QString amountText;
    std::optional<double> amount;
    bool credit = true;
    QDate date;
    bool once = false; // a one-time schedule, removed once posted
};

namespace ScheduleRules {

enum class Repeat {
    Monthly,
    Yearly,
    Once,
    Unknown, // a text that is none of the three (another language's): never posted
};

Repeat repeatOf(const QString& text);

// The day on which a schedule with this repetition and first date is due, as
// seen on `today`: a monthly one on its day of today's month, a yearly one on
// its day in its month of today's year, each on the month's last day when
// the month is shorter; a one-time one on its own date, also when that date
// has passed. Nothing when that day is still to come or comes before the
// first date.
std::optional<QDate> dueDay(Repeat repeat, const QDate& first, const QDate& today);

// What the row stands for on `today`; nothing when it is not due, or when its
// repetition or date cannot be read.
std::optional<DuePosting> due(const ScheduleRow& row, const QDate& today);

} // namespace ScheduleRules
