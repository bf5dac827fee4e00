#pragma once

// Every statement on the schedules: the list, the insert, the removal of one
// schedule, and the ledger look-up that keeps a schedule from being posted
// twice. Values always travel bound, so a quote in a name is part of the name.

#include "schedule/ScheduleRules.h"

#include <QVector>
#include <optional>

class SQLDatabase;

class ScheduleStore
{
  public:
    explicit ScheduleStore(SQLDatabase& db) : db_(db) {}

    // Every schedule in account order; nothing when the query failed.
    std::optional<QVector<ScheduleRow>> Rows() const;

    // Stores a new schedule (its rowid is ignored).
    bool Insert(const ScheduleRow& row);

    // Removes that one schedule. Its account, category and amount must still
    // read as they did, so a row number that another run of the program has
    // since given to another schedule removes nothing.
    bool Delete(const ScheduleRow& row);

    // Whether the ledger holds a credit (or debit) of that amount on that day
    // with that account and category; nothing when the query failed. The
    // posting's amount must have been read.
    std::optional<bool> HasPosting(const DuePosting& posting) const;

  private:
    SQLDatabase& db_;
};
