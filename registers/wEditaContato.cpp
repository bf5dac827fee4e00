#include "registers/wEditaContato.h"

#include "app/App.h"
#include "ledger/wCash.h"
#include "platform/Controls.h"
#include "platform/Format.h"
#include "platform/Listbox.h"
#include "platform/Seams.h"
#include "registers/NameCheck.h"
#include "registers/RegisterStore.h"
#include "registers/RegisterWidgets.h"
#include "registers/wContatos.h"
#include "ui/common/Module1.h"

#include <QLabel>
#include <QPushButton>

namespace {

RegisterStore contacts()
{
    return RegisterStore(*App::CashDB, RegisterStore::Kind::Contact);
}

// What a transaction without a contact carries in Movimento.contato.
const QString& noContact()
{
    static const QString text = QStringLiteral("  -  ");
    return text;
}

// A contact named blank or "-" could not be told from "no contact"; one
// with a line end or another control character would break every list.
bool usableName(const QString& name)
{
    const QString trimmed = name.trimmed();
    return !trimmed.isEmpty() && trimmed != QLatin1String("-") && !HasControlCharacter(name);
}

void reloadContactList()
{
    if (wContatos* list = wContatos::existing())
        list->CarregaContatos();
}

} // namespace

wEditaContato::wEditaContato()
{
    namespace rw = registerwidgets;
    rw::setUpWindow(*this, QStringLiteral("wEditaContato"), Module1::kContatos(), 300, 108, true);
    bt_fecha1 = rw::button(this, "bt_fecha1", Module1::kCancela(), QRect(128, 61, 69, 20));
    tNome = rw::editField(this, "tNome", QRect(82, 27, 198, 22));
    QFont font = tNome->font();
    font.setPointSize(11);
    tNome->setFont(font);
    StaticText1 = rw::label(this, "StaticText1", Module1::kContato(), QRect(9, 27, 67, 20));
    btOK = rw::button(this, "btOK", QStringLiteral("OK"), QRect(211, 61, 69, 20));
    setCancelButton(bt_fecha1);
    setDefaultButton(btOK);

    connect(bt_fecha1, &QPushButton::clicked, this, [this] { bt_fecha1_Action(); });
    connect(btOK, &QPushButton::clicked, this, [this] { btOK_Action(); });
}

void wEditaContato::ShowForName()
{
    Show();
    // Cancela comes first in the window: left to itself the focus lands there,
    // and the first blank of a typed name would press it.
    tNome->SetFocus();
    tNome->selectAll();
}

void wEditaContato::bt_fecha1_Action()
{
    reloadContactList();
    Hide();
}

void wEditaContato::btOK_Action()
{
    if (Module1::contatoopcao == QLatin1String("a"))
        AlteraContato();
    else
        InsereContato();
    reloadContactList();
    // The ledger shows the contacts' names: a rename must show there at once.
    if (wCash* main = wCash::existing())
        main->CarregalMovimento();
    Hide();
}

bool wEditaContato::ChecaContato()
{
    return NameIsFree(contacts(), tNome->Text(), Module1::kMsgContatoExiste());
}

void wEditaContato::InsereContato()
{
    if (App::refusesWrites())
        return;
    if (!usableName(tNome->Text())) {
        Module1::AbreJanela(Module1::kMsgNomeVazio(), false, Module1::kMsgAviso());
        return;
    }
    if (!ChecaContato())
        return;
    RegisterStore store = contacts();
    if (!store.Insert(tNome->Text()))
        App::DisplayDatabaseError();
}

void wEditaContato::AlteraContato()
{
    // The old name is read from the list when OK is pressed: the contact
    // selected now, which need not be the one double-clicked.
    const wContatos* list = wContatos::existing();
    if (!list || list->ListBox1->ListIndex() < 0) {
        Module1::AbreJanela(Module1::kMsgSelecioneContato(), false, Module1::kMsgAviso());
        return;
    }
    const QString oldName = list->ListBox1->Text();
    // A blank name or the no-contact text (rows an older file or an import
    // may hold) is what every transaction without a contact carries: the
    // rename would hand the new name to all of them.
    if (oldName.trimmed().isEmpty() || oldName == noContact()) {
        Module1::AbreJanela(Module1::kMsgContatoNaoRenomeavel(), false, Module1::kMsgAviso());
        return;
    }
    if (App::refusesWrites())
        return;
    if (!usableName(tNome->Text())) {
        Module1::AbreJanela(QStringLiteral("Nome Inválido"), false, Module1::kMsgAviso());
        return;
    }
    // Two equal names could never be told apart again in the ledger.
    if (!ChecaContato())
        return;
    if (!Module1::AbreJanela(Module1::kMsgConfirmaAlteracao(), true, QStringLiteral("Confirma")))
        return;
    RegisterStore store = contacts();
    if (!store.Rename(oldName, tNome->Text()))
        App::DisplayDatabaseError();
}
