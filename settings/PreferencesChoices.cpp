#include "settings/PreferencesChoices.h"

#include "ledger/LedgerSelectors.h"
#include "ui/common/Module1.h"

namespace PreferencesChoices {

QStringList MonthRows()
{
    return Module1::monthNames() << Module1::kTodos2() << Module1::katual();
}

int MonthRowFor(const QString& mesInicial)
{
    if (mesInicial.isEmpty())
        return monthRowTodos;
    const int row = int(MonthRows().indexOf(mesInicial));
    return row < 0 ? 0 : row;
}

int StartAccountRow(const QStringList& names, const QString& saved)
{
    if (names.isEmpty())
        return -1;
    // An older file may name the all-accounts row, which the menu no longer
    // offers; the last account stands in for it.
    if (saved == Module1::ktodos())
        return int(names.size()) - 1;
    return LedgerSelectors::startAccountRow(names, saved);
}

} // namespace PreferencesChoices
