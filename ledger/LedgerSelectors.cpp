#include "ledger/LedgerSelectors.h"

#include "platform/Database.h"
#include "ui/common/Module1.h"

namespace LedgerSelectors {

QStringList monthRows()
{
    return Module1::monthNames() << Module1::kTodos2();
}

int monthRow(const QString& mesInicial, const QDate& today)
{
    const QStringList rows = monthRows();
    QString choice = mesInicial;
    if (choice == Module1::katual() && today.isValid())
        choice = rows.at(today.month() - 1);
    for (int i = 0; i < 12; ++i) {
        if (rows.at(i) == choice)
            return i;
    }
    if (choice == Module1::kTodos2() || choice.isEmpty())
        return 12;
    return 0;
}

int startAccountRow(const QStringList& accounts, const QString& contaInicial)
{
    int found = 0;
    for (int i = 0; i < accounts.size(); ++i) {
        if (accounts.at(i) == contaInicial)
            found = i;
    }
    return found;
}

YearRows yearRows(SQLDatabase& db, const QDate& today)
{
    YearRows out;
    // Distinct dates give the same years in the same order as every row would,
    // without reading the whole table after each saved transaction.
    auto rs = db.SQLSelect(QStringLiteral("SELECT DISTINCT data FROM Movimento ORDER BY data"));
    out.ok = rs != nullptr;
    for (; rs && !rs->Eof(); rs->MoveNext()) {
        const QDate date = rs->IdxField(1).DateValue();
        if (!date.isValid())
            continue; // a date that does not read adds no year
        const QString year = date.toString(QStringLiteral("yyyy-MM-dd")).left(4);
        if (!out.years.contains(year))
            out.years << year;
    }
    const QString current = QString::number(today.year());
    out.selected = int(out.years.indexOf(current));
    if (out.selected < 0) {
        out.years << current;
        out.selected = int(out.years.size()) - 1;
    }
    return out;
}

} // namespace LedgerSelectors
