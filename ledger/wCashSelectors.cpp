// The main window's account and category lists and its month and year
// selectors. Each loader rebuilds its control and selects a start row; the
// selection runs the control's change handler, which reloads the ledger.

#include "ledger/wCash.h"

#include "app/App.h"
#include "ledger/LedgerSelectors.h"
#include "platform/Controls.h"
#include "platform/Listbox.h"
#include "platform/Seams.h"
#include "registers/NameCheck.h"
#include "ui/common/Module1.h"

#include <QSignalBlocker>

void wCash::CarregaContas()
{
    if (!App::CashDB)
        return;
    const QStringList names = ListedNames(RegisterStore::Kind::Account).value_or(QStringList());
    List_Contas->DeleteAllRows();
    {
        Listbox::Batch batch(*List_Contas);
        for (const QString& name : names)
            List_Contas->AddRow(name);
    }
    List_Contas->setListIndex(LedgerSelectors::startAccountRow(names, App::ContaInicial));
    tempconta = List_Contas->Text();
}

void wCash::CarregaCategorias()
{
    if (!App::CashDB)
        return;
    const auto names = ListedNames(RegisterStore::Kind::Category);
    List_Categorias->DeleteAllRows();
    Listbox::Batch batch(*List_Categorias);
    for (const QString& name : names.value_or(QStringList()))
        List_Categorias->AddRow(name);
}

void wCash::CarregaMes()
{
    const QDate today = Today();
    sMes->DeleteAllRows();
    for (const QString& month : LedgerSelectors::monthRows())
        sMes->AddRow(month);
    sMes->setListIndex(12);
    sMes->setListIndex(LedgerSelectors::monthRow(App::MesInicial, today));
}

void wCash::CarregaAno()
{
    if (!App::CashDB)
        return;
    const LedgerSelectors::YearRows years = LedgerSelectors::yearRows(*App::CashDB, Today());
    if (!years.ok)
        App::DisplayLoadError();
    {
        // The ledger is reloaded for the year selected below, not also for the
        // cleared selector: that would read every year of the account.
        const QSignalBlocker refilling(sAno);
        sAno->DeleteAllRows();
        for (const QString& year : years.years)
            sAno->AddRow(year);
    }
    sAno->setListIndex(years.selected);
    // Added after the selection, so the loader never selects it.
    sAno->AddRow(Module1::kTodos2());
}

void wCash::List_Contas_Change()
{
    if (List_Contas->ListIndex() < 0 && List_Contas->ListCount() > 0) {
        // Selecting row 0 runs this handler again, which reloads for it.
        List_Contas->setListIndex(0);
        return;
    }
    tempconta = List_Contas->Text();
    CarregalMovimento();
}

void wCash::sMes_Change()
{
    tempconta = List_Contas->Text();
    CarregalMovimento();
}

void wCash::sAno_Change()
{
    tempconta = List_Contas->Text();
    CarregalMovimento();
}

void wCash::List_Categorias_Change()
{
    tempconta = List_Contas->Text();
    CarregalMovimento();
}
