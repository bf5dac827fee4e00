// The start-up's posting of the due schedules, through the transaction
// window's insert routine, which is filled but never shown.

#include "schedule/SchedulePosting.h"

#include "app/App.h"
#include "ledger/wCash.h"
#include "ledger/wTransacoes.h"
#include "platform/Format.h"
#include "platform/Seams.h"
#include "ui/common/Module1.h"

namespace {

SchedulePosting::Inserted handOver(const DuePosting& due)
{
    // Posted not verified and with an empty comment.
    const wTransacoes::HandedOver row{.account = due.account,
                                      .category = due.category,
                                      .contact = due.contact,
                                      .amount = due.amount,
                                      .date = due.date,
                                      .credit = due.credit,
                                      .verified = false,
                                      .comment = QString()};
    switch (wTransacoes::instance().insertHandedOver(row)) {
    case wTransacoes::SaveResult::Stored:
        return SchedulePosting::Inserted::Stored;
    case wTransacoes::SaveResult::Refused:
    case wTransacoes::SaveResult::RowGone: // only a change meets a vanished row
        return SchedulePosting::Inserted::Refused;
    case wTransacoes::SaveResult::Failed:
        break;
    }
    return SchedulePosting::Inserted::Failed;
}

} // namespace

void PostDueSchedules()
{
    // A read-only data file: the start-up has told the user, and nothing is posted.
    if (App::readOnly || !App::CashDB)
        return;
    const QDate today = Today();
    if (App::datahoje == ShortDate(today))
        return;
    SchedulePosting::Result result;
    {
        const ImportingScope importing;
        SchedulePosting posting(*App::CashDB, handOver, &App::DisplayDatabaseError);
        result = posting.run(today);
    }
    // Selecting the current year again reloads the ledger.
    if (result.posted > 0)
        wCash::instance().CarregaAno();
    if (result.dayDone)
        App::datahoje = ShortDate(today);
    if (result.posted > 0)
        MsgBox(Module1::sMsgTotalAgendamentosInseridos() + QStringLiteral(":  ") + Str(result.posted));
}
