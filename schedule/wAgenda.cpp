#include "schedule/wAgenda.h"

#include "app/App.h"
#include "ledger/wTransacoes.h"
#include "platform/Controls.h"
#include "platform/Format.h"
#include "platform/Seams.h"
#include "registers/RegisterStore.h"
#include "registers/RegisterWidgets.h"
#include "schedule/ScheduleStore.h"
#include "schedule/wAgendaLista.h"
#include "ui/common/Module1.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace {

const QString kNoContact = QStringLiteral("  -  ");

// Fills a pop-up with `rows`, keeping the row that was chosen when it is
// still there and choosing row 0 otherwise.
void reload(PopupMenu& popup, const QStringList& rows)
{
    const QString chosen = popup.Text();
    popup.DeleteAllRows();
    for (const QString& row : rows)
        popup.AddRow(row);
    popup.setListIndex(std::max(0, int(rows.indexOf(chosen))));
}

} // namespace

wAgenda::wAgenda()
{
    namespace rw = registerwidgets;
    rw::setUpWindow(*this, QStringLiteral("wAgenda"), Module1::kAgendamento(), 294, 274, true);
    // The pop-ups and fields in text size 11. The name pop-ups are 2 pixels
    // higher than planned (19) and the repetition pop-up as high as the type
    // pop-up (planned 14): lower, they cut the text.
    StaticText1 = rw::label(this, "StaticText1", Module1::kConta(), QRect(12, 11, 73, 20));
    sContas = rw::popup(this, "sContas", QRect(101, 13, 159, 21), 11);
    sCategoria = rw::popup(this, "sCategoria", QRect(101, 38, 159, 21), 11);
    tData = rw::editField(this, "tData", QRect(101, 106, 91, 22));
    tData->setMask(QStringLiteral("##/##/##"));
    tData->setHelpTag(QStringLiteral("dd-mm-aa"));
    tValor = rw::editField(this, "tValor", QRect(101, 136, 93, 22));
    tValor->setMask(QStringLiteral("99999999999999999999.99"));
    tValor->setRefusedKeyTip(Module1::kMsgValorTeclas());
    sRepetir = rw::popup(this, "sRepetir", QRect(102, 205, 121, 20), 11);
    StaticText2 = rw::label(this, "StaticText2", Module1::kCategoria(), QRect(12, 36, 73, 20));
    StaticText3 = rw::label(this, "StaticText3", Module1::kRepete(), QRect(12, 204, 73, 20));
    StaticText4 = rw::label(this, "StaticText4", Module1::kData(), QRect(12, 109, 73, 20));
    bt_insere = rw::button(this, "bt_insere", Module1::kInsere(), QRect(120, 241, 59, 20));
    bt_fecha = rw::button(this, "bt_fecha", Module1::kCancela(), QRect(191, 241, 71, 20));
    StaticText5 = rw::label(this, "StaticText5", Module1::kValor(), QRect(9, 136, 73, 20));
    StaticText6 = rw::label(this, "StaticText6", Module1::kTipo(), QRect(38, 181, 49, 20));
    sTipo = rw::popup(this, "sTipo", QRect(102, 181, 121, 20), 11);
    Separator1 = rw::rule(this, "Separator1", QRect(0, 93, 294, 4));
    Separator2 = rw::rule(this, "Separator2", QRect(0, 167, 294, 4));
    StaticText7 = rw::label(this, "StaticText7", Module1::kContato(), QRect(12, 62, 73, 20));
    sContatos = rw::popup(this, "sContatos", QRect(101, 64, 159, 21), 11);
    textodata = new QLabel(this);
    textodata->setObjectName(QStringLiteral("textodata"));
    textodata->setGeometry(199, 109, 89, 20);
    for (EditField* field : {tData, tValor}) {
        QFont font = field->font();
        font.setPointSize(11);
        field->setFont(font);
    }
    setDefaultButton(bt_insere);
    setCancelButton(bt_fecha);

    connect(bt_insere, &QPushButton::clicked, this, [this] { bt_insere_Action(); });
    connect(bt_fecha, &QPushButton::clicked, this, [this] { bt_fecha_Action(); });
    tData->installEventFilter(this);
}

bool wAgenda::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tData && event->type() == QEvent::FocusIn)
        tData_GotFocus();
    return Window::eventFilter(watched, event);
}

void wAgenda::Event_Open()
{
    CarregaContas();
    CarregaCategorias();
    CarregaContatos();
    sRepetir->AddRow(Module1::kMensal());
    sRepetir->AddRow(Module1::kAnualmente());
    sRepetir->AddRow(Module1::kNaoRepete());
    sRepetir->setListIndex(0);
    sTipo->AddRow(Module1::kCredito());
    sTipo->AddRow(Module1::kDebito());
    sTipo->setListIndex(0);
}

void wAgenda::CarregaContas()
{
    reload(*sContas, wTransacoes::namesOf(RegisterStore::Kind::Account));
}

void wAgenda::CarregaCategorias()
{
    reload(*sCategoria, wTransacoes::namesOf(RegisterStore::Kind::Category));
}

void wAgenda::CarregaContatos()
{
    // The no-contact row comes last, so a new schedule starts with the first contact.
    reload(*sContatos, wTransacoes::namesOf(RegisterStore::Kind::Contact) << kNoContact);
}

void wAgenda::tData_GotFocus()
{
    textodata->setText(QStringLiteral("dd/mm/aa"));
}

void wAgenda::bt_insere_Action()
{
    if (App::refusesWrites())
        return;
    // A schedule is checked as the transaction it will post: an account, a
    // category, an amount that is not zero and a date that reads as one.
    TransactionFields fields;
    fields.account = sContas->Text();
    fields.category = sCategoria->Text();
    fields.amountText = tValor->Text();
    fields.dateText = tData->Text();
    if (wTransacoes::TellProblem(TransactionEntry(fields, true)))
        return;
    ScheduleRow row;
    row.account = sContas->Text();
    row.category = sCategoria->Text();
    row.type = sTipo->Text();
    ParseDate(tData->Text(), row.date);
    row.amount = tValor->Text();
    row.repeat = sRepetir->Text();
    row.contact = sContatos->Text();
    if (!ScheduleStore(*App::CashDB).Insert(row)) {
        App::DisplayDatabaseError();
        return;
    }
    MsgBox(Module1::kMsgAgendamentoInserido());
}

void wAgenda::bt_fecha_Action()
{
    Hide();
    wAgendaLista::instance().CarregaAgenda();
}
