#pragma once

// The checks every register makes on a typed name before storing it.

#include <QString>

class RegisterStore;

// True when no row of the register has the name. A taken name is told to the
// user (silently while importing); a register that cannot be read is
// reported, never taken for a free or a taken name.
bool NameIsFree(const RegisterStore& store, const QString& name, const QString& takenMessage);

// True, after a warning, when the name is blank.
bool RefuseBlankName(const QString& name, const QString& invalidMessage);

// True, after a warning, when a name to be stored is blank or holds a control
// character; any other name is stored exactly as typed.
bool RefuseUnusableName(const QString& name, const QString& invalidMessage);
