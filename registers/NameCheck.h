#pragma once

// What every window that shows or stores a register's names shares: the
// names for a list or pop-up, and the checks on a typed name before storing it.

#include "registers/RegisterStore.h"

#include <QString>
#include <QStringList>
#include <optional>

// The register's names in name order. A register that cannot be read is
// reported (once for all the lists one action loads) and gives nothing, so
// that the list is left empty rather than shown as a register with no names.
std::optional<QStringList> ListedNames(RegisterStore::Kind kind);

// True when no row of the register has the name. A taken name is told to the
// user; a register that cannot be read is reported, never taken for a free
// or a taken name.
bool NameIsFree(const RegisterStore& store, const QString& name, const QString& takenMessage);

// True, after a warning, when the name is blank.
bool RefuseBlankName(const QString& name, const QString& invalidMessage);

// True, after a warning, when a name to be stored is blank or holds a control
// character; any other name is stored exactly as typed.
bool RefuseUnusableName(const QString& name, const QString& invalidMessage);
