// The main window's account and category commands and its toolbar.

#include "ledger/wCash.h"

#include "app/App.h"
#include "platform/Controls.h"
#include "platform/Listbox.h"
#include "registers/RegisterStore.h"
#include "registers/wCategorias.h"
#include "registers/wContas.h"
#include "registers/wContatos.h"
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

} // namespace

void wCash::BevelButton1_Action()
{
    Module1::contaopcao = QStringLiteral("i");
    wContas::instance().Show();
}

void wCash::List_Contas_DoubleClick()
{
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
    wCategorias& window = wCategorias::instance();
    selectMatchingRow(*window.ListBox1, List_Categorias->Text());
    Module1::categoriaopcao = QStringLiteral("a");
    window.Show();
}

void wCash::BevelButton3_Action()
{
    const QString name = List_Contas->Text();
    if (name.trimmed().isEmpty()) {
        Module1::AbreJanela(Module1::kMsgSelecionaConta(), false, Module1::kMsgAviso());
        return;
    }
    if (!Module1::AbreJanela(Module1::kMsgApagaTudo2(), true, QStringLiteral("Confirma?")))
        return;
    RegisterStore store(*App::CashDB, RegisterStore::Kind::Account);
    if (!store.DeleteWithTransactions(name)) {
        App::DisplayDatabaseError();
        return;
    }
    CarregaContas();
}

void wCash::BevelButton6_Action()
{
    const QString name = List_Categorias->Text();
    if (name.trimmed().isEmpty()) {
        Module1::AbreJanela(Module1::kMsgSelecioneCategoria(), false, Module1::kMsgAviso());
        return;
    }
    if (!Module1::AbreJanela(Module1::kMsgApagaTudo(), true, QStringLiteral("Confirma?")))
        return;
    RegisterStore store(*App::CashDB, RegisterStore::Kind::Category);
    if (!store.DeleteWithTransactions(name)) {
        App::DisplayDatabaseError();
        return;
    }
    CarregaCategorias();
    List_Categorias->Refresh();
}

void wCash::Toolbar11_Action(const QString& itemName)
{
    if (itemName == QLatin1String("mcontatos"))
        wContatos::instance().Show();
}
