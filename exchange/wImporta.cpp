#include "exchange/wImporta.h"

#include "app/App.h"
#include "ledger/TransactionEntry.h"
#include "ledger/wCash.h"
#include "ledger/wTransacoes.h"
#include "platform/Controls.h"
#include "platform/Database.h"
#include "platform/Format.h"
#include "platform/Seams.h"
#include "registers/RegisterStore.h"
#include "registers/RegisterWidgets.h"
#include "registers/wCategorias.h"
#include "registers/wContas.h"
#include "registers/wContatos.h"
#include "ui/common/MenuBar1.h"
#include "ui/common/Module1.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>

namespace rw = registerwidgets;

namespace {

// How often a running import repaints its progress bar.
constexpr int kRepaintMs = 50;

QCheckBox* indicator(QWidget* parent, const char* name, const QString& caption, int top)
{
    auto* box = rw::placed<QCheckBox>(parent, name, QRect(13, top, 100, 20));
    box->setText(caption);
    return box;
}

QLabel* text(QWidget* parent, const char* name, const QRect& geometry, const QString& content = {})
{
    auto* label = rw::placed<QLabel>(parent, name, geometry);
    label->setTextFormat(Qt::PlainText);
    label->setText(content);
    return label;
}

// Each register is offered a name once per import: after the first offer the
// name is stored, or was there already. The names go straight into the
// register, so a register window the user has open keeps what is typed in it.
class NameOffers
{
  public:
    explicit NameOffers(RegisterStore::Kind kind) : kind_(kind) {}

    // False when the database failed; the caller reports it.
    bool offer(const QString& name)
    {
        if (offered_.contains(name))
            return true;
        RegisterStore store(*App::CashDB, kind_);
        switch (store.Find(name)) {
        case RegisterStore::Lookup::Free:
            if (!store.Insert(name))
                return false;
            break;
        case RegisterStore::Lookup::Taken:
            break;
        case RegisterStore::Lookup::QueryFailed:
            return false;
        }
        offered_.insert(name);
        return true;
    }

  private:
    RegisterStore::Kind kind_;
    QSet<QString> offered_;
};

// Why a line is left out, naming the line; nothing for a line that can be
// stored, or a blank one, left out without a word.
QString refusalOf(const ImportedLine& line, qsizetype lineNumber)
{
    using Problem = ImportedLine::Problem;
    const QString number = Str(qint64(lineNumber));
    switch (line.problem) {
    case Problem::None:
    case Problem::Blank:
        return {};
    case Problem::MissingFields:
        return Module1::kMsgCamposFaltando().arg(number);
    case Problem::BadAccount:
        return Module1::kMsgContaInvalidaLinha().arg(number);
    case Problem::BadCategory:
        return Module1::kMsgCategoriaInvalidaLinha().arg(number);
    case Problem::BadContact:
        return Module1::kMsgContatoInvalidoLinha().arg(number);
    case Problem::EmptyCredit:
        return Module1::kMsgCreditoVazioLinha().arg(number);
    case Problem::EmptyDebit:
        return Module1::kMsgDebitoVazioLinha().arg(number);
    case Problem::BadAmount:
        return Module1::kMsgValorInvalido().arg(number);
    case Problem::TooLargeAmount:
        return Module1::kMsgValorGrandeLinha().arg(number);
    case Problem::AmbiguousAmount:
        return Module1::kMsgValorAmbiguoLinha().arg(number, line.amountText);
    case Problem::TooManyDecimals:
        return Module1::kMsgValorCasasDecimaisLinha().arg(number);
    case Problem::ZeroAmount:
        return Module1::kMsgValorZeroLinha().arg(number);
    case Problem::BadDate:
        return Module1::kMsgDataInvalidaLinha().arg(number);
    }
    return {};
}

// While the import runs the window is modal and its buttons are off, so the
// user can neither start a second import nor change the data file half way
// through this one.
class RunningImport
{
  public:
    explicit RunningImport(wImporta& window, bool& running) : window_(window), running_(running)
    {
        running_ = true;
        if (MenuBar1::exists())
            command_ = MenuBar1::instance().entry(QStringLiteral("mImportar"));
        if (command_)
            command_->setEnabled(false);
        window_.btImporta->setEnabled(false);
        window_.btFecha->setEnabled(false);
        window_.hide();
        window_.setWindowModality(Qt::ApplicationModal);
        window_.Show();
    }
    ~RunningImport()
    {
        window_.hide();
        window_.setWindowModality(Qt::NonModal);
        window_.btImporta->setEnabled(true);
        window_.btFecha->setEnabled(true);
        if (command_)
            command_->setEnabled(true);
        running_ = false;
    }
    RunningImport(const RunningImport&) = delete;
    RunningImport& operator=(const RunningImport&) = delete;

  private:
    wImporta& window_;
    bool& running_;
    QPointer<QAction> command_;
};

// The transaction a line stands for, its values taken as the file gives them.
TransactionFields fieldsOf(const ImportedLine& line)
{
    TransactionFields row;
    row.account = line.account;
    row.category = line.category;
    row.contact = line.contact;
    row.credit = line.credit;
    row.verified = line.verified;
    row.comment = line.comment;
    row.amount = line.amount;
    row.date = line.date;
    return row;
}

// Tells the refused lines in one warning, the first of them whole and the
// rest counted; true when the user goes on with the other lines. Stopping
// stores nothing, and the user is told so.
bool goOnAfterRefusals(const QStringList& shown, int refused, int importable)
{
    if (refused == 0)
        return true;
    QString text = shown.join(QStringLiteral("\n\n"));
    if (refused > shown.size())
        text += QStringLiteral("\n\n") + Module1::kMsgLinhasRecusadas().arg(refused);
    if (importable == 0) {
        Module1::AbreJanela(text + QStringLiteral("\n\n") + Module1::kMsgNadaImportado(), false, Module1::kMsgAviso());
        return false;
    }
    text += QStringLiteral("\n\n") + Module1::kMsgImportarOutrasLinhas().arg(importable);
    if (Module1::AbreJanela(text, true, QStringLiteral("Confirma?")))
        return true;
    MsgBox(Module1::kMsgNadaImportado());
    return false;
}

} // namespace

wImporta::wImporta()
{
    setObjectName(QStringLiteral("wImporta"));
    setWindowTitle(Module1::kImporta());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMinimizeButtonHint);
    setFixedSize(406, 313);

    cConta = indicator(this, "cConta", Module1::kConta(), 59);
    StaticText1 = rw::placed<QLabel>(this, "StaticText1", QRect(183, 27, 121, 20));
    StaticText1->setText(Module1::kArquivo());
    StaticText2 = rw::placed<QLabel>(this, "StaticText2", QRect(13, 27, 121, 20));
    StaticText2->setText(QStringLiteral("Tovira"));
    cCategoria = indicator(this, "cCategoria", Module1::kCategoria(), 84);
    cContato = indicator(this, "cContato", Module1::kContato(), 109);
    cData = indicator(this, "cData", Module1::kData(), 136);
    cCredito = indicator(this, "cCredito", Module1::kCredito2(), 162);
    cDebito = indicator(this, "cDebito", Module1::kDebito2(), 188);
    cVerificado = indicator(this, "cVerificado", Module1::kVerificado(), 215);
    impConta = text(this, "impConta", QRect(183, 58, 203, 20));
    impCategoria = text(this, "impCategoria", QRect(183, 84, 209, 20));
    impContato = text(this, "impContato", QRect(183, 110, 203, 20));
    impData = text(this, "impData", QRect(183, 136, 209, 20));
    impCredito = text(this, "impCredito", QRect(183, 162, 209, 20));
    impDebito = text(this, "impDebito", QRect(183, 188, 209, 20));
    impVerificado = text(this, "impVerificado", QRect(183, 214, 203, 20));
    StaticText3 = text(this, "StaticText3", QRect(13, 248, 103, 20), Module1::kTipoArquivo());
    StaticText3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    tipoarquivo = text(this, "tipoarquivo", QRect(128, 248, 152, 20));
    btFecha = rw::placed<QPushButton>(this, "btFecha", QRect(246, 280, 64, 20));
    btFecha->setText(Module1::kFecha());
    btFecha->setAutoDefault(false);
    btImporta = rw::placed<QPushButton>(this, "btImporta", QRect(322, 280, 64, 20));
    btImporta->setText(Module1::kImporta());
    btImporta->setAutoDefault(false);
    Separator1 = rw::rule(this, "Separator1", QRect(0, 242, 406, 2));
    ProgressBar = rw::placed<QProgressBar>(this, "ProgressBar", QRect(23, 280, 203, 20));
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    setCancelButton(btFecha);

    connect(btFecha, &QPushButton::clicked, this, [this] { btFecha_Action(); });
    connect(btImporta, &QPushButton::clicked, this, [this] { btImporta_Action(); });
}

QStringList wImporta::ownCaptions()
{
    return {Module1::kConta(),    Module1::kCategoria(), Module1::kContato(),   Module1::kData(),
            Module1::kCredito2(), Module1::kDebito2(),   Module1::kVerificado()};
}

bool wImporta::CancelClose()
{
    btFecha_Action();
    return true;
}

void wImporta::btFecha_Action()
{
    if (running_)
        return;
    // A file given up is not kept in memory until the next import.
    App::textoimporta.clear();
    Hide();
}

void wImporta::btImporta_Action()
{
    ImportaDados2();
}

void wImporta::setBoxes(bool checked, bool verified)
{
    for (QCheckBox* box : {cConta, cCategoria, cContato, cData, cCredito, cDebito, cVerificado}) {
        box->setChecked(box == cVerificado ? verified : checked);
        box->setEnabled(false);
    }
}

void wImporta::showPreview(const TextPreview& preview)
{
    const bool own = preview.layout == TextLayout::Own;
    // The generic layout has no verified column: its rows come in not verified.
    setBoxes(true, own);
    tipoarquivo->setText(own ? QStringLiteral("Tovira") : Module1::kTexto());
    QLabel* const labels[] = {impConta, impCategoria, impContato, impData, impCredito, impDebito, impVerificado};
    for (qsizetype i = 0; i < 7; ++i)
        labels[i]->setText(i < preview.fields.size() ? preview.fields[i] : QString());
    if (!own)
        impVerificado->setText(Module1::kNao());
}

void wImporta::showProgress(int done, bool now)
{
    if (!now && sinceRepaint_.isValid() && sinceRepaint_.elapsed() < kRepaintMs)
        return;
    sinceRepaint_.start();
    ProgressBar->setValue(done);
    // Paints the window without taking user input: the import must not re-enter itself.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void wImporta::ImportaDados2()
{
    if (running_)
        return;
    // Nothing previewed (a cancelled or refused choice of file): nothing to import.
    const QStringList lines = App::textoimporta;
    if (lines.isEmpty()) {
        Hide();
        return;
    }
    const TextStart start = FindTextStart(lines, ownCaptions());
    const TextLayout layout = App::ImpTovira ? TextLayout::Own : TextLayout::Generic;
    {
        const ActionEndsWithScope action;
        RunningImport run(*this, running_);
        const int count = int(lines.size() - start.firstData);
        // Every line is read twice: checked, then stored.
        ProgressBar->setRange(0, 2 * count);
        showProgress(0, true);
        if (checkLines(lines, start.firstData, layout)) {
            const std::optional<int> stored = importLines(lines, start.firstData, layout);
            showProgress(ProgressBar->maximum(), true);
            // A failed import changed nothing: the lists already show what the file holds.
            if (stored) {
                reloadAfterImport();
                MsgBox(Module1::kMsgTotalImportado() + QStringLiteral(":  ") + Str(qint64(*stored)));
            }
        }
    }
    App::textoimporta.clear();
    Hide();
}

bool wImporta::checkLines(const QStringList& lines, qsizetype first, TextLayout layout)
{
    // The first refusals are named whole, the others counted.
    constexpr int shownRefusals = 5;
    const QString verifiedText = Module1::kSim();
    QStringList shown;
    int refused = 0;
    int importable = 0;
    for (qsizetype i = first; i < lines.size(); ++i) {
        showProgress(int(i - first + 1), false);
        const ImportedLine line = ReadImportLine(lines[i], layout, verifiedText);
        if (line.problem == ImportedLine::Problem::None) {
            ++importable;
            continue;
        }
        const QString refusal = refusalOf(line, i + 1);
        if (refusal.isEmpty())
            continue;
        if (++refused <= shownRefusals)
            shown << refusal;
    }
    // Half way, as the warning shows it.
    showProgress(int(lines.size() - first), true);
    return goOnAfterRefusals(shown, refused, importable);
}

std::optional<int> wImporta::importLines(const QStringList& lines, qsizetype first, TextLayout layout)
{
    // One change of the data file: fast, and a crash or a failure half way
    // leaves the ledger as it was before the import.
    Transaction whole(*App::CashDB);
    if (!whole.active()) {
        App::DisplayDatabaseError();
        return std::nullopt;
    }
    const QString verifiedText = Module1::kSim();
    const int checked = int(lines.size() - first);
    NameOffers accounts(RegisterStore::Kind::Account);
    NameOffers categories(RegisterStore::Kind::Category);
    NameOffers contacts(RegisterStore::Kind::Contact);
    int stored = 0;
    for (qsizetype i = first; i < lines.size(); ++i) {
        showProgress(checked + int(i - first + 1), false);
        const ImportedLine line = ReadImportLine(lines[i], layout, verifiedText);
        // Refused lines were told before the import began.
        if (line.problem != ImportedLine::Problem::None)
            continue;
        if (!accounts.offer(line.account) || !categories.offer(line.category) ||
            (line.offerContact && !contacts.offer(line.contact))) {
            App::DisplayDatabaseError();
            return std::nullopt;
        }
        const TransactionStore::HandedOver handed = TransactionStore::insertHandedOver(*App::CashDB, fieldsOf(line), false);
        if (handed.problem != TransactionEntry::Problem::None)
            continue;
        if (handed.outcome != TransactionStore::Outcome::Stored) {
            App::DisplayDatabaseError();
            return std::nullopt;
        }
        ++stored;
    }
    if (!whole.commit()) {
        App::DisplayDatabaseError();
        return std::nullopt;
    }
    return stored;
}

void wImporta::reloadAfterImport()
{
    namespace rw = registerwidgets;
    // One reload of the windows that show the ledger and the registers, for
    // the whole import. A window the user has open keeps what was chosen and
    // typed in it, and stays as it is.
    if (wCash* main = wCash::existing()) {
        main->CarregaContas();
        main->CarregaCategorias();
        main->CarregaAno();
        main->CarregalMovimento();
    }
    if (wContas* w = wContas::existing())
        rw::reloadKeepingEntry(*w->lContas, w->tConta, [w] { w->CarregaContas(); });
    if (wCategorias* w = wCategorias::existing())
        rw::reloadKeepingEntry(*w->ListBox1, w->conta_descricao, [w] { w->CarregaCategorias(); });
    if (wContatos* w = wContatos::existing())
        rw::reloadKeepingEntry(*w->ListBox1, nullptr, [w] { w->CarregaContatos(); });
    if (wTransacoes* w = wTransacoes::existing())
        w->reloadChoices();
}
