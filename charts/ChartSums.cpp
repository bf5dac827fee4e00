#include "charts/ChartSums.h"

#include "ledger/LedgerQuery.h"
#include "platform/Database.h"
#include "ui/common/Module1.h"

namespace ChartSums {

namespace {

// The four clauses in their order (month, category, account, verified), the
// first of them joined with WHERE and the others with AND.
QString clauses(const ChartFilter& filter, SqlParams& params)
{
    QString sql;
    const auto join = [&](const char* where, const char* andForm, const QVariant& value) {
        sql += QLatin1String(sql.isEmpty() ? where : andForm);
        params << value;
    };
    if (filter.monthIndex >= 0 && filter.monthIndex < 12) {
        // The ledger's pattern of that month in every year: "_____03%".
        LedgerFilter month;
        month.monthIndex = filter.monthIndex;
        month.year = Module1::kTodos2();
        join(" WHERE data LIKE ?", " AND data LIKE ?", LedgerQuery::datePattern(month));
    }
    // A category or account named like the all-rows row cannot be told from it.
    if (!LedgerQuery::isAllAccounts(filter.category))
        join(" WHERE conta = ?", " AND conta = ?", filter.category);
    if (!LedgerQuery::isAllAccounts(filter.account))
        join(" WHERE conta_nome = ?", " AND conta_nome = ?", filter.account);
    join(" WHERE conciliado = ?", " AND conciliado =  ?", filter.verified ? Module1::kSim() : Module1::kNao());
    return sql;
}

} // namespace

ChartTotals load(SQLDatabase& db, const ChartFilter& filter)
{
    SqlParams params;
    const QString where = clauses(filter, params);
    const QString creditSql = QStringLiteral("SELECT SUM(entrada) from Movimento") + where;
    const QString debitSql = QStringLiteral("SELECT SUM(saida) from Movimento") + where;
    ChartTotals totals;
    const auto credit = db.SQLSelect(creditSql, params);
    if (!credit)
        return totals;
    const auto debit = db.SQLSelect(debitSql, params);
    if (!debit)
        return totals;
    if (!credit->Eof())
        totals.credit = credit->IdxField(1).DoubleValue();
    if (!debit->Eof())
        totals.debit = debit->IdxField(1).DoubleValue();
    totals.ok = true;
    return totals;
}

} // namespace ChartSums
