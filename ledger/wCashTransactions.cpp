// The main window's transaction commands: new, edit and delete.

#include "ledger/wCash.h"

void wCash::NovoMovimento() {}

void wCash::AlteraMovimento() {}

void wCash::ApagaMovimento() {}

void wCash::lMovimento_DoubleClick() {}

bool wCash::lMovimento_KeyDown(const QString& /*key*/)
{
    return false;
}

void wCash::BevelButton2_Action() {}

void wCash::BevelButton4_Action() {}
