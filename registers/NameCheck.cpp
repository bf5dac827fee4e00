#include "registers/NameCheck.h"

#include "app/App.h"
#include "platform/Format.h"
#include "platform/Seams.h"
#include "registers/RegisterStore.h"
#include "ui/common/Module1.h"

std::optional<QStringList> ListedNames(RegisterStore::Kind kind)
{
    if (!App::CashDB)
        return std::nullopt;
    auto names = RegisterStore(*App::CashDB, kind).Names();
    if (!names)
        App::DisplayLoadError();
    return names;
}

bool NameIsFree(const RegisterStore& store, const QString& name, const QString& takenMessage)
{
    switch (store.Find(name)) {
    case RegisterStore::Lookup::Free:
        return true;
    case RegisterStore::Lookup::Taken:
        MsgBox(takenMessage);
        return false;
    case RegisterStore::Lookup::QueryFailed:
        break;
    }
    App::DisplayDatabaseError();
    return false;
}

bool RefuseBlankName(const QString& name, const QString& invalidMessage)
{
    if (!name.trimmed().isEmpty())
        return false;
    Module1::AbreJanela(invalidMessage, false, Module1::kMsgAviso());
    return true;
}

bool RefuseUnusableName(const QString& name, const QString& invalidMessage)
{
    if (!HasControlCharacter(name))
        return RefuseBlankName(name, invalidMessage);
    Module1::AbreJanela(invalidMessage, false, Module1::kMsgAviso());
    return true;
}
