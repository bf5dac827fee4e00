#include "registers/wCategorias.h"

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

RegisterStore categories()
{
    return RegisterStore(*App::CashDB, RegisterStore::Kind::Category);
}

} // namespace

wCategorias::wCategorias()
{
    namespace rw = registerwidgets;
    rw::setUpWindow(*this, QStringLiteral("wCategorias"), QStringLiteral("Categorias"), 275, 265, false);
    conta_descricao = rw::editField(this, "conta_descricao", QRect(98, 192, 163, 23));
    StaticText1 = rw::label(this, "StaticText1", Module1::kCategoria(), QRect(20, 193, 66, 20));
    ListBox1 = rw::nameList(this, "ListBox1", Module1::kCategorias(), 230, 10, QRect(20, 23, 235, 158));
    bt_fecha1 = rw::button(this, "bt_fecha1", Module1::kCancela(), QRect(116, 225, 69, 20));
    btok = rw::button(this, "btok", QStringLiteral("OK"), QRect(192, 225, 69, 20));
    setCancelButton(bt_fecha1);
    setDefaultButton(btok);

    connect(ListBox1, &Listbox::Change, this, [this] { ListBox1_Change(); });
    connect(bt_fecha1, &QPushButton::clicked, this, [this] { bt_fecha1_Action(); });
    connect(btok, &QPushButton::clicked, this, [this] { btok_Action(); });
}

void wCategorias::Event_Open()
{
    CarregaCategorias();
    if (ListBox1->ListCount() > 0)
        ListBox1->setListIndex(0);
}

void wCategorias::Event_Close()
{
    Module1::categoriaopcao = QStringLiteral("i");
}

void wCategorias::CarregaCategorias()
{
    const auto names = ListedNames(RegisterStore::Kind::Category);
    ListBox1->DeleteAllRows();
    if (names) {
        Listbox::Batch batch(*ListBox1);
        for (const QString& name : *names)
            ListBox1->AddRow(name);
    }
}

void wCategorias::ListBox1_Change()
{
    conta_descricao->setText(ListBox1->Text());
    tempcategoria = ListBox1->Text();
}

bool wCategorias::checacategoria()
{
    return NameIsFree(categories(), conta_descricao->Text(), Module1::kMsgCategoriaExiste());
}

void wCategorias::InsereCategoria()
{
    if (App::refusesWrites())
        return;
    // Blank names are refused also while importing: a category must be choosable.
    if (RefuseUnusableName(conta_descricao->Text(), Module1::kMsgCategoriaInvalida()))
        return;
    if (!checacategoria())
        return;
    RegisterStore store = categories();
    if (!store.Insert(conta_descricao->Text())) {
        App::DisplayDatabaseError();
        return;
    }
    conta_descricao->setText(QString());
    CarregaCategorias();
}

void wCategorias::AlteraCategoria()
{
    if (App::refusesWrites())
        return;
    if (RefuseUnusableName(conta_descricao->Text(), Module1::kMsgCategoriaInvalida()))
        return;
    if (!checacategoria())
        return;
    RegisterStore store = categories();
    if (!store.Rename(tempcategoria, conta_descricao->Text())) {
        App::DisplayDatabaseError();
        return;
    }
    conta_descricao->setText(QString());
    CarregaCategorias();
}

void wCategorias::btok_Action()
{
    // With no old name a rename would hand the typed name to every
    // transaction that has no category; the typed name can only be a new one.
    if (Module1::categoriaopcao == QLatin1String("a") && !tempcategoria.isEmpty())
        AlteraCategoria();
    else
        InsereCategoria();
    wCash::instance().CarregaCategorias();
    wCash::instance().CarregalMovimento();
    Hide();
    Close();
}

void wCategorias::bt_fecha1_Action()
{
    wCash::instance().CarregalMovimento();
    wCash::instance().CarregaCategorias();
    Hide();
    Close();
}
