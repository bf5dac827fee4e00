#pragma once

// The preferences window's pop-up rules, kept apart from the window so they
// can be checked without one: the rows of the start-up month menu and which
// row a saved choice selects, and which account row the saved start-up
// account selects.

#include <QString>
#include <QStringList>

namespace PreferencesChoices {

// The start-up month menu: the twelve month names, then "Todos" (row 12)
// and "Atual" (row 13).
QStringList MonthRows();
constexpr int monthRowTodos = 12;
constexpr int monthRowAtual = 13;

// The row that a saved month choice selects: its own row, "Todos" for the
// empty text, January for anything the menu does not hold.
int MonthRowFor(const QString& mesInicial);

// The row of the account menu that the saved start-up account selects: the
// last row holding that name, else the first; the last row when the saved
// value is the all-accounts text. -1 when there is no account at all.
int StartAccountRow(const QStringList& names, const QString& saved);

} // namespace PreferencesChoices
