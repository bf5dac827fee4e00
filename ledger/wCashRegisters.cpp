// The main window's account and category commands and its toolbar.

#include "ledger/wCash.h"

void wCash::List_Contas_DoubleClick() {}

void wCash::List_Categorias_DoubleClick() {}

void wCash::BevelButton1_Action() {}

void wCash::BevelButton3_Action() {}

void wCash::BevelButton5_Action() {}

void wCash::BevelButton6_Action() {}

void wCash::Toolbar11_Action(const QString& /*itemName*/) {}
