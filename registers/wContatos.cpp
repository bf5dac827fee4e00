#include "registers/wContatos.h"

#include "app/App.h"
#include "platform/Controls.h"
#include "platform/Listbox.h"
#include "registers/NameCheck.h"
#include "registers/RegisterStore.h"
#include "registers/RegisterWidgets.h"
#include "registers/wEditaContato.h"
#include "ui/common/Module1.h"

#include <QPushButton>

namespace {

RegisterStore contacts()
{
    return RegisterStore(*App::CashDB, RegisterStore::Kind::Contact);
}

} // namespace

wContatos::wContatos()
{
    namespace rw = registerwidgets;
    rw::setUpWindow(*this, QStringLiteral("wContatos"), Module1::kContatos(), 350, 275, false);
    ListBox1 = rw::nameList(this, "ListBox1", Module1::kContatos(), 300, 9, QRect(15, 15, 321, 212));
    PushButton1 = rw::button(this, "PushButton1", QStringLiteral("OK"), QRect(261, 239, 69, 20));
    BevelButton1 =
        rw::bevelButton(this, "BevelButton1", QStringLiteral("+"), Module1::kinsereconta(), QRect(20, 237, 29, 22));
    BevelButton2 =
        rw::bevelButton(this, "BevelButton2", QStringLiteral("-"), Module1::kApaga(), QRect(51, 237, 29, 22));
    // OK is both the default and the cancel button: Return and Escape put the list away.
    setDefaultButton(PushButton1);
    setCancelButton(PushButton1);

    connect(ListBox1, &Listbox::DoubleClick, this, [this] { ListBox1_DoubleClick(); });
    connect(ListBox1, &Listbox::Change, this, [this] { ListBox1_Change(); });
    connect(PushButton1, &QPushButton::clicked, this, [this] { PushButton1_Action(); });
    connect(BevelButton1, &QPushButton::clicked, this, [this] { BevelButton1_Action(); });
    connect(BevelButton2, &QPushButton::clicked, this, [this] { BevelButton2_Action(); });
}

void wContatos::Event_Open()
{
    CarregaContatos();
}

void wContatos::ListBox1_DoubleClick()
{
    Module1::contatoopcao = QStringLiteral("a");
    wEditaContato::instance().ShowForName();
}

void wContatos::PushButton1_Action()
{
    Hide();
}

void wContatos::BevelButton1_Action()
{
    Module1::contatoopcao = QStringLiteral("i");
    wEditaContato& editor = wEditaContato::instance();
    editor.tNome->setText(QString());
    editor.ShowForName();
}

void wContatos::BevelButton2_Action()
{
    ApagaContato();
    CarregaContatos();
}

void wContatos::CarregaContatos()
{
    const auto names = ListedNames(RegisterStore::Kind::Contact);
    ListBox1->DeleteAllRows();
    if (!names)
        return;
    Listbox::Batch batch(*ListBox1);
    for (const QString& name : *names)
        ListBox1->AddRow(name);
}

void wContatos::ApagaContato()
{
    const QString name = ListBox1->Text();
    if (name.trimmed().isEmpty()) {
        Module1::AbreJanela(Module1::kMsgSelecioneContato(), false, Module1::kMsgAviso());
        return;
    }
    if (App::refusesWrites())
        return;
    if (!Module1::AbreJanela(Module1::kMsgConfirmaApaga(), true, QStringLiteral("Confirma?")))
        return;
    RegisterStore store = contacts();
    if (!store.Delete(name))
        App::DisplayDatabaseError();
}
