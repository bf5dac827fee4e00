#pragma once

// The posting of the schedules that have fallen due: each due schedule
// becomes one transaction, unless the ledger already holds it; a one-time
// schedule leaves the list in the same change that posts it. No widgets: the
// transaction is stored by the inserter it is given, and a database failure
// is told through the reporter, once a run.

#include "ledger/TransactionEntry.h"
#include "schedule/ScheduleRules.h"

#include <QList>
#include <functional>

class SQLDatabase;

class SchedulePosting
{
  public:
    // Stores the transaction of a due schedule, showing nothing.
    using Inserter = std::function<TransactionStore::HandedOver(const DuePosting&)>;
    using Reporter = std::function<void()>;

    SchedulePosting(SQLDatabase& db, Inserter insert, Reporter reportFailure);

    // A due schedule left unposted, and in the list: the entry's check
    // refused its transaction (an amount of zero, or one that cannot be
    // read), or no list would show it (its account or category was deleted).
    struct Unposted
    {
        ScheduleRow row;
        TransactionStore::HandedOver why;
    };
    struct Result
    {
        int posted = 0;
        QList<Unposted> unposted;
        // Every due schedule was posted, found in the ledger or left
        // unposted; after a failure the day is left to the next start.
        bool dayDone = false;
    };
    Result run(const QDate& today);

  private:
    enum class Step {
        Posted,
        Skipped,
        Unchecked, // the ledger could not be asked; the next start tries again
        Failed,    // a write failed: the run stops
    };
    Step post(const ScheduleRow& row, const DuePosting& due);
    Step insert(const ScheduleRow& row, const DuePosting& due);
    void report();

    SQLDatabase& db_;
    Inserter insert_;
    Reporter reportFailure_;
    bool reported_ = false;
    QList<Unposted> unposted_;
};

// The start-up's posting: once a day, straight into the ledger (no window's
// fields take part), then one reload of the main window and one message with
// the count, the schedules left unposted and a failure of the data file.
// Does nothing when the data file is read-only.
void PostDueSchedules();
