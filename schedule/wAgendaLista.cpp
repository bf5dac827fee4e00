#include "schedule/wAgendaLista.h"

#include "app/App.h"
#include "platform/Format.h"
#include "platform/Listbox.h"
#include "registers/RegisterWidgets.h"
#include "schedule/ScheduleStore.h"
#include "schedule/wAgenda.h"
#include "ui/common/Module1.h"

#include <QHeaderView>
#include <QPushButton>

namespace {

// The seven shown columns; an eighth cell, never shown, keeps the row's rowid.
enum Cell {
    CellAccount = 0,
    CellCategory = 1,
    CellDate = 2,
    CellAmount = 3,
    CellType = 4,
    CellRepeat = 5,
    CellContact = 6,
    CellRowId = 7,
};

} // namespace

wAgendaLista::wAgendaLista()
{
    namespace rw = registerwidgets;
    rw::setUpWindow(*this, QStringLiteral("wAgendaLista"), Module1::kAgendamento(), 567, 268, true);
    lAgendamento = new Listbox(this);
    lAgendamento->setObjectName(QStringLiteral("lAgendamento"));
    lAgendamento->setGeometry(20, 30, 530, 181);
    lAgendamento->setColumnCount(7);
    lAgendamento->setInitialValue(
        QStringList({Module1::kContat(), Module1::kCategoriat(), Module1::kDatat(), Module1::kValort(),
                     Module1::kTipot(), Module1::kRepetet(), Module1::kContato2()})
            .join(QLatin1Char('\t')));
    // The seven columns share the list's width and cannot be resized, so none
    // is ever pushed out of view.
    lAgendamento->header()->setSectionResizeMode(QHeaderView::Stretch);
    lAgendamento->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lAgendamento->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QFont font = lAgendamento->font();
    font.setPointSize(10);
    lAgendamento->setFont(font);
    bt_insere = rw::button(this, "bt_insere", Module1::kInsere(), QRect(20, 228, 65, 20));
    bt_apaga = rw::button(this, "bt_apaga", Module1::kApaga(), QRect(97, 228, 65, 20));
    bt_apaga->setEnabled(false);
    PushButton3 = rw::button(this, "PushButton3", Module1::kFecha(), QRect(485, 228, 65, 20));
    setDefaultButton(bt_insere);
    setCancelButton(PushButton3);

    connect(lAgendamento, &Listbox::Change, this, [this] { lAgendamento_Change(); });
    connect(bt_insere, &QPushButton::clicked, this, [this] { bt_insere_Action(); });
    connect(bt_apaga, &QPushButton::clicked, this, [this] { bt_apaga_Action(); });
    connect(PushButton3, &QPushButton::clicked, this, [this] { PushButton3_Action(); });
}

void wAgendaLista::Event_Open()
{
    CarregaAgenda();
}

void wAgendaLista::CarregaAgenda()
{
    const auto rows = ScheduleStore(*App::CashDB).Rows();
    lAgendamento->DeleteAllRows();
    if (!rows) {
        App::DisplayLoadError();
        return;
    }
    Listbox::Batch batch(*lAgendamento);
    for (const ScheduleRow& row : *rows)
        lAgendamento->AddRow(QStringList({row.account, row.category, ShortDate(row.date), row.amount, row.type,
                                          row.repeat, row.contact, QString::number(row.rowid)}));
}

void wAgendaLista::lAgendamento_Change()
{
    const int row = lAgendamento->ListIndex();
    bt_apaga->setEnabled(row >= 0 && !lAgendamento->Cell(row, CellAccount).isEmpty());
}

void wAgendaLista::bt_insere_Action()
{
    wAgenda& editor = wAgenda::instance();
    editor.CarregaContas();
    editor.CarregaCategorias();
    editor.CarregaContatos();
    editor.ShowModal();
}

void wAgendaLista::bt_apaga_Action()
{
    if (App::refusesWrites())
        return;
    const int selected = lAgendamento->ListIndex();
    if (selected < 0)
        return;
    ScheduleRow row;
    row.rowid = lAgendamento->Cell(selected, CellRowId).toLongLong();
    row.account = lAgendamento->Cell(selected, CellAccount);
    row.category = lAgendamento->Cell(selected, CellCategory);
    row.amount = lAgendamento->Cell(selected, CellAmount);
    if (Module1::AbreJanela(Module1::kMsgConfirmaApaga(), true, QStringLiteral("Confirma?"))) {
        if (!ScheduleStore(*App::CashDB).Delete(row)) {
            App::DisplayDatabaseError();
            return;
        }
        CarregaAgenda();
    }
    bt_apaga->setEnabled(false);
}

void wAgendaLista::PushButton3_Action()
{
    Hide();
}
