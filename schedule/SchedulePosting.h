#pragma once

// The posting of the schedules that have fallen due: each due schedule
// becomes one transaction, unless the ledger already holds it; a one-time
// schedule leaves the list in the same change that posts it. No widgets: the
// transaction is stored by the inserter it is given, and a database failure
// is told through the reporter, once a run.

#include "schedule/ScheduleRules.h"

#include <QList>
#include <functional>

class SQLDatabase;

class SchedulePosting
{
  public:
    enum class Inserted {
        Stored,
        Refused,      // the inserter said no and told the user why
        AccountGone,  // no register holds the schedule's account: nothing stored
        CategoryGone, // no register holds its category: nothing stored
        Failed,       // the database said no; the inserter has reported it
    };
    using Inserter = std::function<Inserted(const DuePosting&)>;
    using Reporter = std::function<void()>;

    SchedulePosting(SQLDatabase& db, Inserter insert, Reporter reportFailure);

    // A due schedule left unposted, and in the list, because no list would
    // show its row: its account or category was deleted.
    struct Unposted
    {
        ScheduleRow row;
        Inserted why = Inserted::AccountGone;
    };
    struct Result
    {
        int posted = 0;
        QList<Unposted> unposted;
        // Every due schedule was posted, found in the ledger, refused or
        // left unposted; after a failure the day is left to the next start.
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
// the count and the schedules left unposted. Does nothing when the data file
// is read-only.
void PostDueSchedules();
