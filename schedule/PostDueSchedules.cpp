// The start-up's posting of the due schedules, straight into the ledger: the
// transaction window the user may have open takes no part in it, and no box
// opens until the posting's one message.

#include "schedule/SchedulePosting.h"

#include "app/App.h"
#include "ledger/wCash.h"
#include "platform/Format.h"
#include "platform/Seams.h"
#include "ui/common/Module1.h"

namespace {

// The unposted schedules the message names; the others are counted.
constexpr int kNamedUnposted = 5;

TransactionStore::HandedOver store(const DuePosting& due)
{
    // Posted not verified and with an empty comment.
    TransactionFields row;
    row.account = due.account;
    row.category = due.category;
    row.contact = due.contact;
    row.credit = due.credit;
    row.amountText = due.amountText;
    row.amount = due.amount;
    row.date = due.date;
    // The names are checked as the row is written: a schedule whose account
    // or category was deleted would post a row that no list shows.
    return TransactionStore::insertHandedOver(*App::CashDB, row, true);
}

// Why a schedule was left unposted, naming it.
QString unpostedLine(const SchedulePosting::Unposted& unposted)
{
    using Problem = TransactionEntry::Problem;
    QString reason;
    if (unposted.why.problem == Problem::ZeroAmount)
        reason = Module1::kMsgAgendamentoValorZero();
    else if (unposted.why.problem != Problem::None)
        reason = Module1::kMsgAgendamentoValorInvalido();
    else if (unposted.why.outcome == TransactionStore::Outcome::AccountGone)
        reason = Module1::kMsgAgendamentoSemConta();
    else
        reason = Module1::kMsgAgendamentoSemCategoria();
    const ScheduleRow& row = unposted.row;
    return reason.arg(row.account, row.category, row.amount);
}

// The count of rows posted, the schedules left unposted with why, and a
// failure of the data file, in one message.
QString postingMessage(const SchedulePosting::Result& result, const QString& failure)
{
    QStringList parts;
    if (result.posted > 0)
        parts << Module1::sMsgTotalAgendamentosInseridos() + QStringLiteral(":  ") + Str(result.posted);
    if (!result.unposted.isEmpty()) {
        QStringList lines{Module1::kMsgAgendamentosNaoLancados()};
        for (const SchedulePosting::Unposted& unposted : result.unposted.mid(0, kNamedUnposted))
            lines << unpostedLine(unposted);
        if (result.unposted.size() > kNamedUnposted)
            lines << Module1::kMsgAgendamentosNaoLancadosTotal().arg(result.unposted.size());
        parts << lines.join(QLatin1Char('\n'));
    }
    if (!failure.isEmpty())
        parts << failure;
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
    const QuietErrors quiet;
    SchedulePosting posting(*App::CashDB, store, &App::DisplayDatabaseError);
    const SchedulePosting::Result result = posting.run(today);
    // Selecting the current year again reloads the ledger.
    if (result.posted > 0)
        wCash::instance().CarregaAno();
    if (result.dayDone)
        App::datahoje = ShortDate(today);
    if (const QString message = postingMessage(result, quiet.firstError()); !message.isEmpty())
        MsgBox(message);
}
