#pragma once

// The posting of the schedules that have fallen due: each due schedule
// becomes one transaction, unless the ledger already holds it; a one-time
// schedule leaves the list in the same change that posts it. No widgets: the
// transaction is stored by the inserter it is given, and a database failure
// is told through the reporter, once a run.

#include "schedule/ScheduleRules.h"

#include <functional>

class SQLDatabase;

class SchedulePosting
{
  public:
    enum class Inserted {
        Stored,
        Refused, // the inserter said no and told the user why
        Failed,  // the database said no; the inserter has reported it
    };
    using Inserter = std::function<Inserted(const DuePosting&)>;
    using Reporter = std::function<void()>;

    SchedulePosting(SQLDatabase& db, Inserter insert, Reporter reportFailure);

    struct Result
    {
        int posted = 0;
        // Every due schedule was posted, found in the ledger or refused; after
        // a failure the day is left to the next start.
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
    Step insert(const DuePosting& due);
    void report();

    SQLDatabase& db_;
    Inserter insert_;
    Reporter reportFailure_;
    bool reported_ = false;
};

// The start-up's posting: once a day, through the transaction window's
// insert routine, then one reload of the main window and the count message.
// Does nothing when the data file is read-only.
void PostDueSchedules();
