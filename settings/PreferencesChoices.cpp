#include "settings/PreferencesChoices.h"

#include "ui/common/Module1.h"

namespace PreferencesChoices {

QStringList MonthRows()
{
    return {Module1::kmes_janeiro(),  Module1::kmes_fevereiro(), Module1::kmes_marco(),    Module1::kmes_abril(),
            Module1::kmes_maio(),     Module1::kmes_junho(),     Module1::kmes_julho(),    Module1::kmes_agosto(),
            Module1::kmes_setembro(), Module1::kmes_outubro(),   Module1::kmes_novembro(), Module1::kmes_dezembro(),
            Module1::kTodos2(),       Module1::katual()};
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
    const int row = int(names.lastIndexOf(saved));
    return row < 0 ? 0 : row;
}

} // namespace PreferencesChoices
