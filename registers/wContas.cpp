#include "registers/wContas.h"

#include "app/App.h"
#include "ledger/wCash.h"
#include "platform/Controls.h"
#include "platform/Listbox.h"
#include "platform/Seams.h"
#include "registers/NameCheck.h"
#include "registers/RegisterStore.h"
#include "registers/RegisterWidgets.h"
#include "ui/common/Module1.h"

#include <QLabel>
#include <QPushButton>

namespace {

RegisterStore accounts()
{
    return RegisterStore(*App::CashDB, RegisterStore::Kind::Account);
}

} // namespace

wContas::wContas()
{
    namespace rw = registerwidgets;
    rw::setUpWindow(*this, QStringLiteral("wContas"), QStringLiteral("Contas"), 288, 279, false);
    tConta = rw::editField(this, "tConta", QRect(105, 204, 160, 23));
    StaticText1 = rw::label(this, "StaticText1", Module1::kConta(), QRect(28, 205, 66, 20));
    lContas = rw::nameList(this, "lContas", Module1::kContas(), 230, 10, QRect(23, 29, 242, 163));
    bt_fecha = rw::button(this, "bt_fecha", Module1::kCancela(), QRect(115, 239, 69, 20));
    btok = rw::button(this, "btok", QStringLiteral("OK"), QRect(196, 239, 69, 20));
    setCancelButton(bt_fecha);
    setDefaultButton(btok);

    connect(lContas, &Listbox::Change, this, [this] { lContas_Change(); });
    connect(bt_fecha, &QPushButton::clicked, this, [this] { bt_fecha_Action(); });
    connect(btok, &QPushButton::clicked, this, [this] { btok_Action(); });
}

void wContas::Event_Open()
{
    CarregaContas();
}

void wContas::Event_Close()
{
    Module1::contaopcao = QStringLiteral("i");
}

void wContas::CarregaContas()
{
    const auto names = ListedNames(RegisterStore::Kind::Account);
    lContas->DeleteAllRows();
    if (names) {
        Listbox::Batch batch(*lContas);
        for (const QString& name : *names)
            lContas->AddRow(name);
    }
    lContas->Refresh();
}

void wContas::lContas_Change()
{
    tConta->setText(lContas->Text());
    tempconta = tConta->Text();
}

bool wContas::checaconta()
{
    return NameIsFree(accounts(), tConta->Text(), Module1::kMsgContaExiste());
}

void wContas::InsereConta()
{
    if (App::refusesWrites())
        return;
    // Blank names are refused also while importing: an account must be choosable.
    if (RefuseUnusableName(tConta->Text(), Module1::kMsgContaInvalida()))
        return;
    if (!checaconta())
        return;
    RegisterStore store = accounts();
    if (!store.Insert(tConta->Text())) {
        App::DisplayDatabaseError();
        return;
    }
    tConta->setText(QString());
    CarregaContas();
}

void wContas::alteraconta()
{
    if (App::refusesWrites())
        return;
    if (RefuseUnusableName(tConta->Text(), Module1::kMsgContaInvalida()))
        return;
    if (!Module1::AbreJanela(Module1::kMsgConfirmaAlteracao(), true, QStringLiteral("Confirma?")))
        return;
    if (!checaconta())
        return;
    RegisterStore store = accounts();
    if (!store.Rename(tempconta, tConta->Text())) {
        App::DisplayDatabaseError();
        return;
    }
    tConta->setText(QString());
    CarregaContas();
}

void wContas::btok_Action()
{
    // With no old name a rename would hand the typed name to every
    // transaction that has no account; the typed name can only be a new one.
    if (Module1::contaopcao == QLatin1String("a") && !tempconta.isEmpty())
        alteraconta();
    else
        InsereConta();
    wCash::instance().CarregalMovimento();
    wCash::instance().CarregaContas();
    Hide();
    Close();
}

void wContas::bt_fecha_Action()
{
    wCash::instance().CarregalMovimento();
    wCash::instance().CarregaContas();
    Hide();
    Close();
}
