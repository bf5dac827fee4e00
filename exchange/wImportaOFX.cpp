#include "exchange/wImportaOFX.h"

#include "app/App.h"
#include "exchange/ImportFileMessage.h"
#include "ledger/TransactionEntry.h"
#include "ledger/wCash.h"
#include "ledger/wTransacoes.h"
#include "platform/Controls.h"
#include "platform/Format.h"
#include "platform/Seams.h"
#include "registers/NameCheck.h"
#include "registers/RegisterWidgets.h"
#include "registers/wCategorias.h"
#include "registers/wContas.h"
#include "ui/common/Module1.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

const QString kDateHint = QStringLiteral("dd/mm/aa");

// A label the review writes into: plain text, so a memo is never read as markup.
QLabel* valueLabel(QWidget* parent, const char* name, const QRect& geometry, Qt::Alignment alignment)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(alignment | Qt::AlignVCenter);
    l->setGeometry(geometry);
    return l;
}

// A value as long as the file may hold (a memo of megabytes) is never laid
// out whole: the label shows what fits of a prefix, cut with "…", and its
// tool tip a longer prefix. The value itself stays whole.
constexpr qsizetype kLaidOut = 512;
constexpr qsizetype kToolTip = 500;

// The first `size` characters, with "…" when the text goes on.
QString prefixOf(QStringView text, qsizetype size)
{
    if (text.size() <= size)
        return text.toString();
    // Never half of a character written as two.
    if (text[size - 1].isHighSurrogate())
        --size;
    return text.first(size).toString() + u'…';
}

void showValue(QLabel* label, QStringView value)
{
    const QString shown = label->fontMetrics().elidedText(prefixOf(value, kLaidOut), Qt::ElideRight, label->width());
    label->setText(shown);
    // Rich text, so that the tip wraps its lines; the value is escaped, never read as markup.
    label->setToolTip(shown == value
                          ? QString()
                          : QStringLiteral("<p>") + prefixOf(value, kToolTip).toHtmlEscaped() + QStringLiteral("</p>"));
}

} // namespace

void wImportaOFX::ShowFromMenu()
{
    if (App::refusesWrites())
        return;
    const auto accountNames = ListedNames(RegisterStore::Kind::Account);
    const auto categoryNames = ListedNames(RegisterStore::Kind::Category);
    // A register that cannot be read has been reported; it is not an empty one.
    if (!accountNames || !categoryNames)
        return;
    const bool accounts = !accountNames->isEmpty();
    const bool categories = !categoryNames->isEmpty();
    if (accounts && categories)
        instance().Show();
    if (!categories)
        MsgBox(Module1::kCategoriasVazias());
    if (!accounts)
        MsgBox(Module1::kContasVazias());
}

wImportaOFX::wImportaOFX()
{
    namespace rw = registerwidgets;
    rw::setUpWindow(*this, QStringLiteral("wImportaOFX"), Module1::Kimportaofx2(), 336, 244, true);
    StaticText1 = rw::label(this, "StaticText1", Module1::kTipo(), QRect(10, 42, 95, 20));
    StaticText2 = rw::label(this, "StaticText2", Module1::kValor(), QRect(10, 66, 95, 20));
    StaticText3 = rw::label(this, "StaticText3", Module1::kData(), QRect(10, 91, 95, 20));
    StaticText4 = rw::label(this, "StaticText4", Module1::kComentarios(), QRect(10, 117, 95, 20));
    StaticText5 = rw::label(this, "StaticText5", Module1::kCategoria(), QRect(10, 143, 95, 20));
    tData = rw::editField(this, "tData", QRect(117, 92, 91, 22));
    tData->setMask(QStringLiteral("##/##/##"));
    tData->setHelpTag(kDateHint);
    QFont small = tData->font();
    small.setPointSize(11);
    tData->setFont(small);
    t_type = valueLabel(this, "t_type", QRect(117, 42, 100, 20), Qt::AlignLeft);
    t_valor = valueLabel(this, "t_valor", QRect(117, 66, 100, 20), Qt::AlignLeft);
    t_comentarios = valueLabel(this, "t_comentarios", QRect(117, 117, 205, 20), Qt::AlignLeft);
    // The pop-ups are 2 px taller than their labels: at 20 px their frame clips
    // the accent of a capital ("Água").
    sCategoria = rw::popup(this, "sCategoria", QRect(117, 144, 189, 22), 11);
    PushButton1 = rw::button(this, "PushButton1", QStringLiteral("OK"), QRect(237, 204, 69, 20));
    PushButton2 = rw::button(this, "PushButton2", Module1::kCancela(), QRect(159, 204, 69, 20));
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(1000);
    // Wide enough for the count of a statement at the import's size limit
    // (millions of tiny transactions): a count cut short is another number.
    t_atual = valueLabel(this, "t_atual", QRect(117, 172, 116, 20), Qt::AlignRight);
    t_total = valueLabel(this, "t_total", QRect(254, 172, 72, 20), Qt::AlignLeft);
    StaticText6 = valueLabel(this, "StaticText6", QRect(237, 172, 14, 20), Qt::AlignHCenter);
    StaticText6->setText(QStringLiteral("/"));
    textodata = valueLabel(this, "textodata", QRect(221, 94, 100, 20), Qt::AlignLeft);
    StaticText7 = rw::label(this, "StaticText7", Module1::kConta(), QRect(10, 14, 95, 20));
    sContas = rw::popup(this, "sContas", QRect(116, 15, 189, 22), 11);
    setDefaultButton(PushButton1);
    setCancelButton(PushButton2);

    connect(Timer1, &QTimer::timeout, this, &wImportaOFX::Timer1_Action);
    connect(PushButton1, &QPushButton::clicked, this, &wImportaOFX::PushButton1_Action);
    connect(PushButton2, &QPushButton::clicked, this, &wImportaOFX::PushButton2_Action);
    connect(sContas, &PopupMenu::Change, this, &wImportaOFX::sContas_Change);
    connect(sCategoria, &PopupMenu::Change, this, &wImportaOFX::sCategoria_Change);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (now == tData)
            tData_GotFocus();
        else if (old == tData)
            tData_LostFocus();
    });
}

void wImportaOFX::Event_Open()
{
    transacaoatual = 1;
    tData->setVisible(false);
    sCategoria->setVisible(false);
    sContas->setVisible(false);
    PushButton2->setEnabled(false);
    PushButton1->setEnabled(false);
    CarregaCategorias2();
    CarregaContas2();
    // The open dialog comes a moment after the window, so the user sees what it is for.
    Timer1->start();
}

void wImportaOFX::Event_Close()
{
    Timer1->stop();
}

void wImportaOFX::tData_GotFocus()
{
    textodata->setText(kDateHint);
}

void wImportaOFX::tData_LostFocus()
{
    textodata->clear();
}

void wImportaOFX::CarregaCategorias2()
{
    const auto names = ListedNames(RegisterStore::Kind::Category);
    sCategoria->DeleteAllRows();
    if (!names)
        return;
    for (const QString& name : *names)
        sCategoria->AddRow(name);
    sCategoria->AddRow(Module1::kAdiciona());
    // Never "Inserir..." when there is no category: that would end the import at once.
    sCategoria->setListIndex(names->isEmpty() ? -1 : 0);
}

void wImportaOFX::CarregaContas2()
{
    wTransacoes::loadAccounts(*sContas);
}

void wImportaOFX::ImportaOFX()
{
    const QString filter = QStringLiteral("OFX (*.ofx *.OFX *.qfx *.QFX);;%1 (*.txt *.TXT);;%2 (*)")
                               .arg(Module1::kTexto(), Module1::kTodosArquivos());
    textfile = seams::fileDialogs().openFile(Module1::Kimportaofx2(), filter);
    if (textfile.isEmpty())
        return;
    OfxStatement statement = OfxStatement::read(textfile);
    readProblem_ = statement.problem();
    cutShort_ = statement.endsInsideTransaction();
    transacoes = std::move(statement).transactions();
    Contatransacoes = int(transacoes.size());
    // Behind the question the window already shows the last transaction read.
    if (!transacoes.empty())
        showTransaction(transacoes.view(transacoes.size() - 1));
}

void wImportaOFX::Timer1_Action()
{
    ImportaOFX();
    if (!readProblem_.ok()) {
        MsgBox(ImportFileMessage(readProblem_, textfile));
        finish();
        return;
    }
    if (Contatransacoes == 0) {
        MsgBox(Module1::kMSGNadaaimportar());
        finish();
        return;
    }
    // The review still offers what was read of a cut file, but the user is told first.
    if (cutShort_)
        MsgBox(Module1::kMsgExtratoIncompleto());
    const QString question =
        Module1::kConfirmaImport() + ' ' + Str(Contatransacoes) + ' ' + Module1::kMovimentos() + '?';
    if (Module1::AbreJanela(question, true, QStringLiteral("Confirma?")))
        PreencheImportados();
    else
        finish();
}

void wImportaOFX::PreencheImportados()
{
    if (Contatransacoes <= 0 || transacaoatual > Contatransacoes)
        return;
    showTransaction(transacoes.view(size_t(transacaoatual - 1)));
    tData->setText(ShortDate(Today()));
    t_atual->setText(Str(transacaoatual));
    t_total->setText(Str(Contatransacoes));
    tData->setVisible(true);
    sCategoria->setVisible(true);
    PushButton2->setEnabled(true);
    PushButton1->setEnabled(true);
    sContas->setVisible(true);
    tData->SetFocus();
    tData->selectAll();
}

void wImportaOFX::showTransaction(const OfxTransactionView& transaction)
{
    showValue(t_type, transaction.type);
    showValue(t_valor, transaction.amount);
    showValue(t_comentarios, transaction.memo);
}

void wImportaOFX::PushButton1_Action()
{
    // After the last transaction the window still shows it; one more OK ends the import.
    if (transacaoatual - 1 >= Contatransacoes) {
        finish();
        return;
    }
    if (InsereMovimento() == Outcome::Refused)
        return;
    ++transacaoatual;
    PreencheImportados();
}

void wImportaOFX::PushButton2_Action()
{
    finish();
}

void wImportaOFX::finish()
{
    Hide();
    Close();
}

wImportaOFX::Outcome wImportaOFX::InsereMovimento()
{
    const OfxTransaction& shown = transacoes[size_t(transacaoatual - 1)];
    const OfxBooking booking = OfxStatement::booking(shown);
    switch (booking.problem) {
    case OfxBooking::Problem::None:
        break;
    case OfxBooking::Problem::NotANumber:
        MsgBox(Module1::kMsgFormatoIncompativel());
        return Outcome::Skipped;
    case OfxBooking::Problem::TooLarge:
        MsgBox(Module1::kMsgValorGrande().arg(prefixOf(shown.amount.trimmed(), 40)));
        return Outcome::Skipped;
    }
    TransactionFields fields;
    fields.account = sContas->Text();
    fields.category = sCategoria->Text();
    fields.amount = booking.amount;
    fields.dateText = tData->Text();
    fields.credit = booking.credit;
    fields.verified = true;
    fields.comment = shown.memo;
    const TransactionEntry entry(fields, true);
    // A zero amount is the one problem the user cannot correct: the review moves on.
    if (wTransacoes::TellProblem(entry))
        return entry.problem() == TransactionEntry::Problem::ZeroAmount ? Outcome::Skipped : Outcome::Refused;
    // The names are checked against the registers as the row is written: one
    // renamed or deleted since the lists were filled is asked for again.
    switch (TransactionStore::insert(*App::CashDB, entry, true)) {
    case TransactionStore::Outcome::Stored:
        wCash::instance().CarregalMovimento();
        return Outcome::Stored;
    case TransactionStore::Outcome::AccountGone:
        CarregaContas2();
        sContas->setListIndex(-1);
        wTransacoes::TellProblem(TransactionEntry::Problem::NoAccount);
        return Outcome::Refused;
    case TransactionStore::Outcome::CategoryGone:
        CarregaCategorias2();
        sCategoria->setListIndex(-1);
        wTransacoes::TellProblem(TransactionEntry::Problem::NoCategory);
        return Outcome::Refused;
    case TransactionStore::Outcome::Failed:
    case TransactionStore::Outcome::RowGone:
        break;
    }
    App::DisplayDatabaseError();
    return Outcome::Refused;
}

void wImportaOFX::sContas_Change()
{
    if (insertRowChosen(*sContas))
        wContas::instance().Show();
}

void wImportaOFX::sCategoria_Change()
{
    if (insertRowChosen(*sCategoria))
        wCategorias::instance().Show();
}

bool wImportaOFX::insertRowChosen(PopupMenu& popup)
{
    if (!wTransacoes::insertRowPicked(popup))
        return false;
    finish();
    return true;
}
