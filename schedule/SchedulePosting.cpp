#include "schedule/SchedulePosting.h"

#include "platform/Database.h"
#include "schedule/ScheduleStore.h"

#include <utility>

SchedulePosting::SchedulePosting(SQLDatabase& db, Inserter insert, Reporter reportFailure)
    : db_(db), insert_(std::move(insert)), reportFailure_(std::move(reportFailure))
{
}

void SchedulePosting::report()
{
    if (reported_)
        return;
    reported_ = true;
    reportFailure_();
}

SchedulePosting::Result SchedulePosting::run(const QDate& today)
{
    Result result;
    unposted_.clear();
    // One transaction for the whole day: one write to disk rather than one a
    // row, and no other run of the program changes the schedules while they
    // are read and removed here.
    Transaction day(db_);
    const auto rows = day.active() ? ScheduleStore(db_).Rows() : std::nullopt;
    if (!rows) {
        report();
        return result;
    }
    bool complete = true;
    for (const ScheduleRow& row : *rows) {
        const std::optional<DuePosting> due = ScheduleRules::due(row, today);
        if (!due)
            continue;
        const Step step = post(row, *due);
        if (step == Step::Posted)
            ++result.posted;
        complete = complete && (step == Step::Posted || step == Step::Skipped);
        if (step == Step::Failed)
            break;
    }
    // What was posted before a failure stays, unless the failure has already
    // taken the whole transaction with it.
    const bool kept = db_.InTransaction() && day.commit();
    if (!kept) {
        report();
        result.posted = 0;
        complete = false;
    }
    result.unposted = std::exchange(unposted_, {});
    result.dayDone = complete;
    return result;
}

SchedulePosting::Step SchedulePosting::post(const ScheduleRow& row, const DuePosting& due)
{
    // An amount that cannot be read cannot be looked up: the entry's check
    // refuses it below.
    if (!due.once && due.amount) {
        const std::optional<bool> found = ScheduleStore(db_).HasPosting(due);
        if (!found) {
            report();
            return Step::Unchecked;
        }
        if (*found)
            return Step::Skipped;
    }
    if (!due.once)
        return insert(row, due);
    // Posted and removed together: a one-time schedule left behind after its
    // posting would be posted again at the next start.
    Transaction once(db_);
    if (!once.active()) {
        report();
        return Step::Failed;
    }
    const Step step = insert(row, due);
    if (step != Step::Posted)
        return step;
    if (!ScheduleStore(db_).Delete(row) || !once.commit()) {
        report();
        return Step::Failed;
    }
    return Step::Posted;
}

SchedulePosting::Step SchedulePosting::insert(const ScheduleRow& row, const DuePosting& due)
{
    using Outcome = TransactionStore::Outcome;
    const TransactionStore::HandedOver handed = insert_(due);
    if (handed.problem == TransactionEntry::Problem::None) {
        switch (handed.outcome) {
        case Outcome::Stored:
            return Step::Posted;
        case Outcome::AccountGone:
        case Outcome::CategoryGone:
            break;
        case Outcome::Failed:
        case Outcome::RowGone: // only a change meets a vanished row
            report();
            return Step::Failed;
        }
    }
    unposted_.append({row, handed});
    return Step::Skipped;
}
