// The main window's account and category commands and its toolbar.

#include "ledger/wCash.h"

#include "app/App.h"
#include "charts/wGraficos.h"
#include "platform/Controls.h"
#include "platform/Listbox.h"
#include "registers/NameCheck.h"
#include "registers/RegisterStore.h"
#include "registers/wCategorias.h"
#include "registers/wContas.h"
#include "registers/wContatos.h"
#include "schedule/wAgendaLista.h"
#include "ui/common/Module1.h"

namespace {

// Selects in a register's list the row that holds `name` (of equal rows the
// last); without one the register keeps its own selection. The selection
// fills the register's name field and its old name.
void selectMatchingRow(Listbox& registerList, const QString& name)
{
    int match = -1;
    for (int i = 0; i < registerList.ListCount(); ++i) {
        if (registerList.Cell(i, 0) == name)
            match = i;
    }
    if (match >= 0)
        registerList.setListIndex(match);
}

// A double-click below the names, or with none selected, names no row to
// rename: it adds one, as the "+" button does.
bool onSelectedName(const Listbox& list)
{
    return list.ListIndex() >= 0 && list.DoubleClickRow() == list.ListIndex();
}

} // namespace

void wCash::BevelButton1_Action()
{
    Module1::contaopcao = QStringLiteral("i");
    wContas::instance().Show();
}

void wCash::List_Contas_DoubleClick()
{
    if (!onSelectedName(*List_Contas)) {
        BevelButton1_Action();
        return;
    }
    wContas& window = wContas::instance();
    selectMatchingRow(*window.lContas, List_Contas->Text());
    Module1::contaopcao = QStringLiteral("a");
    window.Show();
}

void wCash::BevelButton5_Action()
{
    Module1::categoriaopcao = QStringLiteral("i");
    wCategorias& window = wCategorias::instance();
    window.conta_descricao->setText(QString());
    window.Show();
}

void wCash::List_Categorias_DoubleClick()
{
    if (!onSelectedName(*List_Categorias)) {
        BevelButton5_Action();
        return;
    }
    wCategorias& window = wCategorias::instance();
    selectMatchingRow(*window.ListBox1, List_Categorias->Text());
    Module1::categoriaopcao = QStringLiteral("a");
    window.Show();
}

namespace {

// Deletes a name with all its transactions once the user has confirmed; false
// when nothing was deleted.
bool deleteWithTransactions(RegisterStore::Kind kind, const QString& name, const QString& noneSelected,
                            const QString& question)
{
    if (RefuseBlankName(name, noneSelected) || App::refusesWrites())
        return false;
    if (!Module1::AbreJanela(question, true, QStringLiteral("Confirma?")))
        return false;
    if (!RegisterStore(*App::CashDB, kind).DeleteWithTransactions(name)) {
        App::DisplayDatabaseError();
        return false;
    }
    return true;
}

} // namespace

void wCash::BevelButton3_Action()
{
    if (deleteWithTransactions(RegisterStore::Kind::Account, List_Contas->Text(), Module1::kMsgSelecionaConta(),
                               Module1::kMsgApagaTudo2()))
        CarregaContas();
}

void wCash::BevelButton6_Action()
{
    if (!deleteWithTransactions(RegisterStore::Kind::Category, List_Categorias->Text(),
                                Module1::kMsgSelecioneCategoria(), Module1::kMsgApagaTudo()))
        return;
    CarregaCategorias();
    List_Categorias->Refresh();
}

void wCash::Toolbar11_Action(const QString& itemName)
{
    if (itemName == QLatin1String("mcontatos"))
        wContatos::instance().Show();
    else if (itemName == QLatin1String("mgraficos"))
        wGraficos::instance().Show();
    else if (itemName == QLatin1String("magendamento"))
        wAgendaLista::instance().Show();
}
