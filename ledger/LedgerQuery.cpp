#include "ledger/LedgerQuery.h"

#include "platform/Database.h"
#include "platform/Format.h"
#include "ui/common/Module1.h"

namespace LedgerQuery {

bool isAllAccounts(const QString& account)
{
    return account == QLatin1String("Todas") || account == QLatin1String("All");
}

QString datePattern(const LedgerFilter& filter)
{
    const QString year = filter.year == Module1::kTodos2() ? QStringLiteral("____") : filter.year;
    if (filter.monthIndex == 12)
        return year + QStringLiteral("___%");
    const int month = filter.monthIndex + 1;
    const QString monthText = month < 10 ? QLatin1Char('0') + QString::number(month) : QString::number(month);
    return year + QLatin1Char('_') + monthText + QLatin1Char('%');
}

LedgerResult load(SQLDatabase& db, const LedgerFilter& filter)
{
    LedgerResult result;
    const bool all = isAllAccounts(filter.account);
    SqlParams params;
    if (!all)
        params << filter.account;
    params << datePattern(filter);
    const QString where = all ? QStringLiteral(" WHERE data LIKE ?") : QStringLiteral(" AND data LIKE ?");
    const QString account = QStringLiteral(" WHERE conta_nome =  ?");

    auto creditSet = db.SQLSelect(QStringLiteral("SELECT SUM(entrada) from Movimento") + (all ? QString() : account) + where, params);
    auto debitSet = creditSet ? db.SQLSelect(QStringLiteral("SELECT SUM(saida) from Movimento") + (all ? QString() : account) + where, params)
                              : nullptr;
    auto rowSet = debitSet ? db.SQLSelect(QStringLiteral("SELECT * FROM Movimento") +
                                              (all ? QString() : QStringLiteral(" WHERE conta_nome = ?")) + where +
                                              QStringLiteral(" ORDER BY data"),
                                          params)
                           : nullptr;
    if (!rowSet) {
        result.errorMessage = db.ErrorMessage();
        return result;
    }
    if (creditSet->RecordCount() >= 1)
        result.credit = creditSet->IdxField(1).DoubleValue();
    if (debitSet->RecordCount() >= 1)
        result.debit = debitSet->IdxField(1).DoubleValue();

    result.rows.reserve(rowSet->RecordCount());
    for (; !rowSet->Eof(); rowSet->MoveNext())
        result.rows.append(rowCells(*rowSet));
    result.ok = true;
    return result;
}

QStringList rowCells(const RecordSet& rs)
{
    const QString amountMask = QLatin1String(AmountMask);
    const DatabaseField date = rs.IdxField(5);
    const QDate day = date.DateValue();
    QStringList cells;
    cells.reserve(CellCount);
    cells << rs.IdxField(3).StringValue() << rs.IdxField(4).StringValue()
          // A date that does not read shows as stored; the other rows go on.
          << (day.isValid() ? ShortDate(day) : date.StringValue())
          << Format(rs.IdxField(6).DoubleValue(), amountMask) << Format(rs.IdxField(7).DoubleValue(), amountMask)
          << rs.IdxField(8).StringValue() << rs.IdxField(1).StringValue() << rs.IdxField(2).StringValue()
          << rs.IdxField(9).StringValue();
    return cells;
}

QString totalText(double total)
{
    return Format(total, QLatin1String(TotalMask));
}

} // namespace LedgerQuery
