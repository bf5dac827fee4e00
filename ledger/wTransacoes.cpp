#include "ledger/wTransacoes.h"

#include "app/App.h"
#include "ledger/wCash.h"
#include "platform/Format.h"
#include "platform/Seams.h"
#include "registers/NameCheck.h"
#include "registers/RegisterStore.h"
#include "registers/RegisterWidgets.h"
#include "registers/wCategorias.h"
#include "registers/wContas.h"
#include "registers/wContatos.h"
#include "ui/common/Module1.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace rw = registerwidgets;

namespace {

const QString kDateHint = QStringLiteral("dd/mm/aa");

QLabel* label(QWidget* parent, const char* name, const QString& text, int left, int top)
{
    auto* l = rw::placed<QLabel>(parent, name, QRect(left, top, 95, 20));
    l->setText(text);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

} // namespace

wTransacoes::wTransacoes()
{
    setObjectName(QStringLiteral("wTransacoes"));
    setWindowTitle(Module1::kMovimento());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMinimizeButtonHint);
    setFixedSize(330, 367);
    buildControls();
}

void wTransacoes::buildControls()
{
    // The pop-ups and fields are a little taller than their labels so that
    // their frames do not clip the text.
    StaticText1 = label(this, "StaticText1", Module1::kCategoria(), 14, 43);
    PushButton1 = rw::placed<QPushButton>(this, "PushButton1", QRect(240, 321, 69, 24));
    PushButton1->setText(QStringLiteral("OK"));
    sCategoria = rw::placed<PopupMenu>(this, "sCategoria", QRect(120, 45, 189, 22));
    sContato = rw::placed<PopupMenu>(this, "sContato", QRect(120, 68, 189, 22));
    tValor = rw::placed<EditField>(this, "tValor", QRect(116, 138, 91, 22));
    tValor->setMask(QStringLiteral("99999999999999999999.99"));
    tValor->setRefusedKeyTip(Module1::kMsgValorTeclas());
    tData = rw::placed<EditField>(this, "tData", QRect(116, 166, 91, 22));
    tData->setMask(QStringLiteral("##/##/##"));
    tData->setHelpTag(kDateHint);
    tComentarios = rw::placed<EditField>(this, "tComentarios", QRect(119, 252, 191, 22));
    sTipo = rw::placed<PopupMenu>(this, "sTipo", QRect(120, 92, 121, 22));
    sTipo->AddRow(Module1::kCredito());
    sTipo->AddRow(Module1::kDebito());
    sTipo->setListIndex(0);
    cConciliado = rw::placed<QCheckBox>(this, "cConciliado", QRect(120, 198, 100, 20));
    cConciliado->setText(Module1::kVerificado());
    StaticText2 = label(this, "StaticText2", Module1::kContato(), 14, 68);
    StaticText3 = label(this, "StaticText3", Module1::kComentarios(), 14, 253);
    StaticText4 = label(this, "StaticText4", Module1::kData(), 13, 167);
    StaticText5 = label(this, "StaticText5", Module1::kValor(), 13, 139);
    StaticText6 = label(this, "StaticText6", Module1::kTipo(), 13, 93);
    Separator1 = rw::rule(this, "Separator1", QRect(0, 125, 330, 4));
    Separator2 = rw::rule(this, "Separator2", QRect(0, 227, 330, 4));
    Separator3 = rw::rule(this, "Separator3", QRect(0, 293, 330, 4));
    StaticText7 = label(this, "StaticText7", Module1::kConta(), 14, 22);
    sContas = rw::placed<PopupMenu>(this, "sContas", QRect(120, 22, 189, 22));
    PushButton2 = rw::placed<QPushButton>(this, "PushButton2", QRect(162, 321, 69, 24));
    PushButton2->setText(Module1::kCancela());
    textodata = rw::placed<QLabel>(this, "textodata", QRect(218, 167, 100, 20));
    textodata->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    setDefaultButton(PushButton1);
    setCancelButton(PushButton2);
    PushButton1->setAutoDefault(false);
    PushButton2->setAutoDefault(false);

    connect(PushButton1, &QPushButton::clicked, this, &wTransacoes::PushButton1_Action);
    connect(PushButton2, &QPushButton::clicked, this, &wTransacoes::PushButton2_Action);
    connect(sContas, &PopupMenu::Change, this, &wTransacoes::sContas_Change);
    connect(sCategoria, &PopupMenu::Change, this, &wTransacoes::sCategoria_Change);
    connect(sContato, &PopupMenu::Change, this, &wTransacoes::sContato_Change);
    tData->installEventFilter(this);
}

void wTransacoes::changeEvent(QEvent* event)
{
    Window::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Event_Activate();
}

bool wTransacoes::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tData) {
        if (event->type() == QEvent::FocusIn)
            tData_GotFocus();
        else if (event->type() == QEvent::FocusOut)
            tData_LostFocus();
    }
    return Window::eventFilter(watched, event);
}

void wTransacoes::Event_Activate()
{
    tValor->SetFocus();
}

void wTransacoes::tData_GotFocus()
{
    textodata->setText(kDateHint);
}

void wTransacoes::tData_LostFocus()
{
    textodata->clear();
}

void wTransacoes::PushButton1_Action()
{
    const SaveResult result = Module1::transacaoopcao == QLatin1String("a") ? AlteraMovimento() : InsereMovimento();
    // A refusal or a failed write keeps the window open with everything
    // typed, so the user can put it right or try again.
    if (result != SaveResult::Stored && result != SaveResult::RowGone)
        return;
    wCash::instance().CarregalMovimento();
    wCash::instance().CarregaAno();
    Hide();
}

void wTransacoes::PushButton2_Action()
{
    Hide();
}

void wTransacoes::sContas_Change()
{
    insertRowChosen(*sContas, Register::Accounts);
}

void wTransacoes::sCategoria_Change()
{
    insertRowChosen(*sCategoria, Register::Categories);
}

void wTransacoes::sContato_Change()
{
    insertRowChosen(*sContato, Register::Contacts);
}

void wTransacoes::insertRowChosen(PopupMenu& popup, Register which)
{
    if (!insertRowPicked(popup))
        return;
    Hide();
    showRegister(which);
}

bool wTransacoes::insertRowPicked(PopupMenu& popup)
{
    // Only the loaders' own last row counts, not a name that happens to read the same.
    const int last = popup.ListCount() - 1;
    if (popup.ListIndex() < 0 || popup.ListIndex() != last || popup.Text() != Module1::kAdiciona())
        return false;
    popup.setListIndex(-1);
    return true;
}

// "Inserir..." opens the matching register window as it is, setting no editor mode.
void wTransacoes::showRegister(Register which)
{
    switch (which) {
    case Register::Accounts:
        wContas::instance().Show();
        break;
    case Register::Categories:
        wCategorias::instance().Show();
        break;
    case Register::Contacts:
        wContatos::instance().Show();
        break;
    }
}

void wTransacoes::selectMatching(PopupMenu& popup, const QString& text)
{
    for (int i = 0; i < popup.ListCount(); ++i)
        if (popup.List(i) == text)
            popup.setListIndex(i);
}

void wTransacoes::selectOwn(PopupMenu& popup, const QString& own)
{
    selectMatching(popup, own);
    if (popup.Text() == own)
        return;
    popup.insertItem(qMax(0, popup.ListCount() - 1), own);
    selectMatching(popup, own);
}

// A register's names for a pop-up; none, after a report, when the register cannot be read.
QStringList wTransacoes::namesOf(RegisterStore::Kind kind)
{
    return ListedNames(kind).value_or(QStringList());
}

void wTransacoes::handOverAmount(double amount)
{
    const QString text = AmountText(amount);
    handedAmount_.emplace(text, amount);
    tValor->setText(text);
}

void wTransacoes::handOverDate(const QDate& date)
{
    tData->setText(LongDate(date));
}

void wTransacoes::LimpaCampos()
{
    tValor->clear();
    tData->clear();
    cConciliado->setChecked(false);
    sCategoria->setListIndex(-1);
    sContato->setListIndex(-1);
    tComentarios->clear();
}

void wTransacoes::CarregaCategorias()
{
    sCategoria->DeleteAllRows();
    for (const QString& name : namesOf(RegisterStore::Kind::Category))
        sCategoria->AddRow(name);
    sCategoria->AddRow(Module1::kAdiciona());
}

void wTransacoes::CarregaContatos()
{
    sContato->DeleteAllRows();
    sContato->AddRow(QStringLiteral("  -  "));
    for (const QString& name : namesOf(RegisterStore::Kind::Contact))
        sContato->AddRow(name);
    sContato->AddRow(Module1::kAdiciona());
}

void wTransacoes::CarregaContas()
{
    loadAccounts(*sContas);
}

void wTransacoes::loadAccounts(PopupMenu& popup)
{
    popup.DeleteAllRows();
    int chosen = 0;
    for (const QString& name : namesOf(RegisterStore::Kind::Account)) {
        popup.AddRow(name);
        if (name == App::ContaInicial)
            chosen = popup.ListCount() - 1;
    }
    // Chosen before "Inserir..." is added, so the preselection never opens the register.
    popup.setListIndex(popup.ListCount() > 0 ? chosen : -1);
    popup.AddRow(Module1::kAdiciona());
}

void wTransacoes::beginChange(const OpenedRow& row)
{
    opened_ = row;
    opened_->shownAmount = tValor->Text();
    opened_->shownCredit = sTipo->ListIndex() == 0;
    opened_->shownDate = tData->Text();
    opened_->shownComment = tComentarios->Text();
}

TransactionFields wTransacoes::fields() const
{
    TransactionFields f;
    f.account = sContas->Text();
    f.category = sCategoria->Text();
    f.contact = sContato->Text();
    f.amountText = tValor->Text();
    if (handedAmount_ && handedAmount_->first == f.amountText)
        f.amount = handedAmount_->second;
    f.dateText = tData->Text();
    f.credit = sTipo->ListIndex() == 0;
    f.verified = cConciliado->isChecked();
    f.comment = tComentarios->Text();
    return f;
}

bool wTransacoes::TellProblem(TransactionEntry::Problem problem)
{
    const QString aviso = QStringLiteral("Aviso");
    switch (problem) {
    case TransactionEntry::Problem::None:
        return false;
    case TransactionEntry::Problem::BadAmount:
        // Named with its text by the entry's own TellProblem.
        Module1::AbreJanela(Module1::kMsgValorNaoNumero().arg(QString()), false, Module1::kMsgAviso());
        break;
    case TransactionEntry::Problem::NoAccount:
        MsgBox(Module1::kMsgSelecionaConta());
        break;
    case TransactionEntry::Problem::NoCategory:
        Module1::AbreJanela(Module1::kMsgSelecioneCategoria(), false, aviso);
        break;
    case TransactionEntry::Problem::ZeroAmount:
        Module1::resposta = Module1::AbreJanela(Module1::kMsgValorZero(), false, aviso);
        break;
    case TransactionEntry::Problem::BadDate:
        Module1::AbreJanela(Module1::kMsgDataInvalida(), false, Module1::kMsgAviso());
        break;
    }
    return true;
}

namespace {

// Why a typed amount cannot be stored, naming the text as typed.
QString amountProblemText(const AmountReading& reading, const QString& typed)
{
    using Problem = AmountReading::Problem;
    switch (reading.problem) {
    case Problem::None:
    case Problem::NotANumber:
        break;
    case Problem::Ambiguous:
        if (reading.asDecimals.isEmpty())
            return Module1::kMsgValorAmbiguoMilhar().arg(typed, reading.asThousands);
        return Module1::kMsgValorAmbiguo().arg(typed, reading.asThousands, reading.asDecimals);
    case Problem::TooManyDecimals:
        return Module1::kMsgValorCasasDecimais().arg(typed);
    case Problem::TooLarge:
        return Module1::kMsgValorGrande().arg(typed);
    }
    return Module1::kMsgValorNaoNumero().arg(typed);
}

} // namespace

bool wTransacoes::TellProblem(const TransactionEntry& entry)
{
    if (entry.problem() != TransactionEntry::Problem::BadAmount)
        return TellProblem(entry.problem());
    Module1::AbreJanela(amountProblemText(entry.amountReading(), entry.amountText()), false, Module1::kMsgAviso());
    return true;
}

bool wTransacoes::refuse(TransactionEntry::Problem problem)
{
    if (!TellProblem(problem))
        return false;
    okok = false;
    return true;
}

bool wTransacoes::refuse(const TransactionEntry& entry)
{
    if (!TellProblem(entry))
        return false;
    okok = false;
    return true;
}

wTransacoes::SaveResult wTransacoes::finish(TransactionStore::Outcome outcome)
{
    using TransactionStore::Outcome;
    switch (outcome) {
    case Outcome::Stored:
        // OK reloads the ledger and the years once the save is done.
        return SaveResult::Stored;
    case Outcome::Failed:
        App::DisplayDatabaseError();
        return SaveResult::Failed;
    case Outcome::AccountGone:
        reloadChoices(outcome);
        refuse(TransactionEntry::Problem::NoAccount);
        return SaveResult::Refused;
    case Outcome::CategoryGone:
        reloadChoices(outcome);
        refuse(TransactionEntry::Problem::NoCategory);
        return SaveResult::Refused;
    case Outcome::RowGone:
        break;
    }
    MsgBox(Module1::kMsgMovimentoNaoExiste());
    opened_.reset();
    return SaveResult::RowGone;
}

void wTransacoes::reloadChoices()
{
    reloadChoices(TransactionStore::Outcome::Stored);
}

void wTransacoes::reloadChoices(TransactionStore::Outcome vanished)
{
    const QString account = sContas->Text();
    const QString category = sCategoria->Text();
    const QString contact = sContato->Text();
    CarregaContas();
    CarregaCategorias();
    CarregaContatos();
    sContas->setListIndex(-1);
    if (vanished != TransactionStore::Outcome::AccountGone)
        selectMatching(*sContas, account);
    const bool own = opened_ && opened_->stored;
    if (vanished == TransactionStore::Outcome::CategoryGone)
        sCategoria->setListIndex(-1);
    else if (own && category == opened_->category)
        selectOwn(*sCategoria, category);
    else
        selectMatching(*sCategoria, category);
    if (own && contact == opened_->contact)
        selectOwn(*sContato, contact);
    else
        selectMatching(*sContato, contact);
}

wTransacoes::SaveResult wTransacoes::InsereMovimento()
{
    okok = true;
    if (App::refusesWrites()) {
        okok = false;
        return SaveResult::Refused;
    }
    TransactionEntry entry(fields(), true);
    if (refuse(entry))
        return SaveResult::Refused;
    // An entry without a contact is stored with the no-contact row's text.
    if (sContato->Text().isEmpty()) {
        sContato->setListIndex(0);
        entry = TransactionEntry(fields(), true);
    }
    return finish(TransactionStore::insert(*App::CashDB, entry, true));
}

wTransacoes::SaveResult wTransacoes::AlteraMovimento()
{
    okok = true;
    if (App::refusesWrites()) {
        okok = false;
        return SaveResult::Refused;
    }
    const OpenedRow* opened = opened_ ? &*opened_ : nullptr;
    const TransactionEntry entry(fields(), true, opened);
    if (refuse(entry))
        return SaveResult::Refused;
    const SaveResult result = finish(TransactionStore::replace(*App::CashDB, opened, entry));
    if (result == SaveResult::Stored)
        opened_.reset();
    return result;
}
