#include "settings/wPreferencias.h"

#include "app/App.h"
#include "app/Password.h"
#include "app/Schema.h"
#include "ledger/wCash.h"
#include "platform/Controls.h"
#include "platform/Listbox.h"
#include "platform/Seams.h"
#include "registers/NameCheck.h"
#include "settings/PreferencesChoices.h"
#include "settings/PreferencesLock.h"
#include "ui/common/Module1.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabWidget>

namespace {

constexpr int maxPasswordLength = 15;
constexpr int colourOn = 230;
constexpr int colourOff = 255;

// A tab panel that tells where its pages start, so controls can be placed by
// their position in the window even though they live on a page.
class TabPanel : public QTabWidget
{
  public:
    using QTabWidget::QTabWidget;

    QPoint pageOrigin() const
    {
        QStyleOptionTabWidgetFrame option;
        initStyleOption(&option);
        return pos() + style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this).topLeft();
    }
};

template <class W>
W* place(QWidget* parent, const char* name, int left, int top, int width, int height, const QPoint& origin = {})
{
    auto* control = new W(parent);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(left - origin.x(), top - origin.y(), width, height);
    return control;
}

} // namespace

wPreferencias::wPreferencias()
{
    setObjectName(QStringLiteral("wPreferencias"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(Module1::kPrefs());
    setFixedSize(313, 262);
    useDialogTextSize();
    CreateControls();
    connectHandlers();
}

void wPreferencias::CreateControls()
{
    auto* panel = place<TabPanel>(this, "TabPanel1", 16, 10, 283, 208);
    TabPanel1 = panel;
    QWidget* geral = new QWidget;
    QWidget* contas = new QWidget;
    QWidget* senha = new QWidget;
    panel->addTab(geral, Module1::kGeral());
    panel->addTab(contas, Module1::kContas());
    panel->addTab(senha, Module1::kSenha());
    panel->setCurrentIndex(0);
    const QPoint origin = panel->pageOrigin();

    Edicao = place<QCheckBox>(geral, "Edicao", 39, 128, 237, 28, origin);
    Edicao->setText(Module1::kTedicao());
    Edicao->setVisible(false);
    CoresLista = place<QCheckBox>(geral, "CoresLista", 39, 60, 237, 32, origin);
    CoresLista->setText(Module1::kTcoresfundo());

    PushButton1 = place<QPushButton>(this, "PushButton1", 254, 230, 45, 20);
    PushButton1->setText(QStringLiteral("Ok"));
    setDefaultButton(PushButton1);

    StaticText1 = place<QLabel>(contas, "StaticText1", 39, 58, 229, 20, origin);
    StaticText1->setText(Module1::kMsgContaInicial());
    sContas = place<PopupMenu>(contas, "sContas", 39, 84, 215, 20, origin);
    StaticText2 = place<QLabel>(contas, "StaticText2", 39, 125, 229, 20, origin);
    StaticText2->setText(Module1::kMsgMesInicial());
    sMesinicial = place<PopupMenu>(contas, "sMesinicial", 39, 151, 215, 20, origin);

    StaticText3 = place<QLabel>(senha, "StaticText3", 39, 58, 246, 34, origin);
    StaticText3->setText(Module1::kMsgSenha());
    StaticText3->setWordWrap(true);
    StaticText3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    cHabilitaSenha = place<QCheckBox>(senha, "cHabilitaSenha", 39, 102, 233, 20, origin);
    cHabilitaSenha->setText(Module1::kLigasenha());
    txtsenha1 = place<QLabel>(senha, "txtsenha1", 39, 142, 77, 20, origin);
    txtsenha1->setText(Module1::kSenha());
    txtsenha2 = place<QLabel>(senha, "txtsenha2", 39, 169, 77, 20, origin);
    txtsenha2->setText(Module1::kVerifica());
    edSenha = place<EditField>(senha, "edSenha", 134, 140, 138, 22, origin);
    edSenha2 = place<EditField>(senha, "edSenha2", 134, 167, 138, 22, origin);
    for (EditField* field : {edSenha, edSenha2}) {
        field->setEchoMode(QLineEdit::Password);
        field->setMaxLength(maxPasswordLength);
    }
    for (QWidget* control : {static_cast<QWidget*>(txtsenha1), static_cast<QWidget*>(txtsenha2),
                             static_cast<QWidget*>(edSenha), static_cast<QWidget*>(edSenha2)})
        control->setEnabled(false);
}

void wPreferencias::connectHandlers()
{
    // The check boxes' Action is the user's click: setting a box from code
    // (App::MostraPrefs) changes no preference by itself.
    connect(Edicao, &QCheckBox::clicked, this, [this] { Edicao_Action(); });
    connect(CoresLista, &QCheckBox::clicked, this, [this] { CoresLista_Action(); });
    // The password controls follow the lock box however it was ticked.
    connect(cHabilitaSenha, &QCheckBox::toggled, this, [this] { cHabilitaSenha_Action(); });
    connect(PushButton1, &QPushButton::clicked, this, [this] { PushButton1_Action(); });
    connect(sContas, &PopupMenu::Change, this, [this] { sContas_Change(); });
    connect(sMesinicial, &PopupMenu::Change, this, [this] { sMesinicial_Change(); });
}

void wPreferencias::ShowFromMenu()
{
    wPreferencias& window = instance();
    window.CarregaContas();
    window.Show();
}

void wPreferencias::Edicao_Action()
{
    App::PrefEditor = Edicao->isChecked();
}

void wPreferencias::CoresLista_Action()
{
    const int value = CoresLista->isChecked() ? colourOn : colourOff;
    App::cor_r = value;
    App::cor_g = value;
    App::cor_b = value;
    if (wCash::exists())
        wCash::instance().lMovimento->Refresh();
}

void wPreferencias::sContas_Change()
{
    if (!filling_)
        App::ContaInicial = sContas->Text();
}

void wPreferencias::sMesinicial_Change()
{
    if (!filling_)
        App::MesInicial = sMesinicial->Text();
}

void wPreferencias::cHabilitaSenha_Action()
{
    const bool on = cHabilitaSenha->isChecked();
    txtsenha1->setEnabled(on);
    txtsenha2->setEnabled(on);
    edSenha->setEnabled(on);
    edSenha2->setEnabled(on);
    if (on) {
        edSenha->SetFocus();
    } else {
        // The lock itself changes only when Ok writes it.
        edSenha->clear();
        edSenha2->clear();
    }
}

void wPreferencias::PushButton1_Action()
{
    if (App::refusesWrites())
        return;
    const bool lockOn = cHabilitaSenha->isChecked();
    QString stored;
    if (lockOn) {
        const bool hasStored = App::tSenha == 1 && !App::cSenha.isEmpty();
        switch (PreferencesLock::CheckEntry(edSenha->Text(), edSenha2->Text(), hasStored)) {
        case PreferencesLock::Entry::Differ:
            MsgBox(Module1::kMsgSenhaNaoConfere());
            edSenha->SetFocus();
            return;
        case PreferencesLock::Entry::Blank:
            MsgBox(Module1::kSenhaInvalida());
            edSenha->SetFocus();
            return;
        case PreferencesLock::Entry::KeepStored:
            stored = App::cSenha;
            break;
        case PreferencesLock::Entry::Accepted:
            stored = CodificaSenha(edSenha->Text());
            break;
        }
    }
    if (!App::CashDB || !Schema::WriteLockRow(*App::CashDB, lockOn, stored)) {
        // The old lock is still in force, in the database and here.
        App::DisplayDatabaseError();
        return;
    }
    App::tSenha = lockOn ? 1 : 0;
    App::cSenha = stored;
    edSenha->clear();
    edSenha2->clear();
    Close();
}

void wPreferencias::Event_Open()
{
    App::MostraPrefs();
    CarregaMes();
    // The fields start empty: the stored password is never shown back, and
    // Ok with both fields empty keeps it.
    if (App::tSenha == 1)
        cHabilitaSenha->setChecked(true);
}

void wPreferencias::Event_Close()
{
    // At quit the database may already be closed, and the ledger reload that
    // the month selection runs would only fail.
    if (wCash::exists() && App::CashDB && App::CashDB->IsConnected())
        wCash::instance().CarregaMes();
}

void wPreferencias::CarregaContas()
{
    const QString saved = App::ContaInicial;
    const QStringList names = ListedNames(RegisterStore::Kind::Account).value_or(QStringList());
    filling_ = true;
    sContas->DeleteAllRows();
    for (const QString& name : names)
        sContas->AddRow(name);
    filling_ = false;
    const int row = PreferencesChoices::StartAccountRow(names, saved);
    if (row >= 0)
        sContas->setListIndex(row);
}

void wPreferencias::CarregaMes()
{
    // Showing the saved choice is no choice of the user's: the start-up month
    // is kept as it was read until the user picks another row.
    filling_ = true;
    sMesinicial->DeleteAllRows();
    for (const QString& month : PreferencesChoices::MonthRows())
        sMesinicial->AddRow(month);
    sMesinicial->setListIndex(PreferencesChoices::MonthRowFor(App::MesInicial));
    filling_ = false;
}
