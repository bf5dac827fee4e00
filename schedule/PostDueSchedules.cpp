// The start-up's posting of the due schedules, straight into the ledger: the
// transaction window the user may have open takes no part in it.

#include "schedule/SchedulePosting.h"

#include "app/App.h"
#include "ledger/TransactionEntry.h"
#include "ledger/wCash.h"
#include "ledger/wTransacoes.h"
#include "platform/Format.h"
#include "platform/Seams.h"
#include "ui/common/Module1.h"
#include "ui/common/PasswordPrompt.h"

namespace {

SchedulePosting::Inserted store(const DuePosting& due)
{
    using Inserted = SchedulePosting::Inserted;
    // Posted not verified and with an empty comment.
    TransactionFields row;
    row.account = due.account;
    row.category = due.category;
    row.contact = due.contact;
    row.credit = due.credit;
    row.amount = due.amount;
    row.date = due.date;
    // The names are checked as the row is written: a schedule whose account
    // or category was deleted would post a row that no list shows.
    const std::optional<TransactionStore::Outcome> outcome = wTransacoes::storeHandedOver(row, true);
    if (!outcome)
        return Inserted::Refused;
    switch (*outcome) {
    case TransactionStore::Outcome::Stored:
        return Inserted::Stored;
    case TransactionStore::Outcome::AccountGone:
        return Inserted::AccountGone;
    case TransactionStore::Outcome::CategoryGone:
        return Inserted::CategoryGone;
    case TransactionStore::Outcome::Failed:
    case TransactionStore::Outcome::RowGone: // only a change meets a vanished row
        break;
    }
    App::DisplayDatabaseError();
    return Inserted::Failed;
}

// The count of rows posted and the schedules left unposted, with why, in one message.
QString postingMessage(const SchedulePosting::Result& result)
{
    QStringList parts;
    if (result.posted > 0)
        parts << Module1::sMsgTotalAgendamentosInseridos() + QStringLiteral(":  ") + Str(result.posted);
    if (!result.unposted.isEmpty()) {
        QStringList lines{Module1::kMsgAgendamentosNaoLancados()};
        for (const SchedulePosting::Unposted& skipped : result.unposted) {
            const QString reason = skipped.why == SchedulePosting::Inserted::AccountGone
                                       ? Module1::kMsgAgendamentoSemConta()
                                       : Module1::kMsgAgendamentoSemCategoria();
            lines << reason.arg(skipped.row.account, skipped.row.category, skipped.row.amount);
        }
        parts << lines.join(QLatin1Char('\n'));
    }
    return parts.join(QStringLiteral("\n\n"));
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
        SchedulePosting posting(*App::CashDB, store, &App::DisplayDatabaseError);
        result = posting.run(today);
    }
    // Selecting the current year again reloads the ledger.
    if (result.posted > 0)
        wCash::instance().CarregaAno();
    if (result.dayDone)
        App::datahoje = ShortDate(today);
    if (const QString message = postingMessage(result); !message.isEmpty())
        ShowOnceUnlocked(message);
}
