#include "ui/common/wDigitaSenha.h"

#include "app/App.h"
#include "app/Password.h"
#include "app/Schema.h"
#include "ledger/wCash.h"
#include "platform/Controls.h"
#include "platform/Seams.h"
#include "registers/RegisterWidgets.h"
#include "ui/common/Module1.h"

#include <QLabel>
#include <QPushButton>

namespace rw = registerwidgets;

wDigitaSenha::wDigitaSenha()
{
    setObjectName(QStringLiteral("wDigitaSenha"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Tovira"));
    setFixedSize(277, 145);
    useDialogTextSize();
    CreateControls();
    connect(bt_cancela, &QPushButton::clicked, this, [this] { bt_cancela_Action(); });
    connect(bt_ok, &QPushButton::clicked, this, [this] { bt_ok_Action(); });
}

void wDigitaSenha::CreateControls()
{
    bt_cancela = rw::placed<QPushButton>(this, "bt_cancela", QRect(122, 105, 73, 20));
    bt_cancela->setText(Module1::kCancela());
    eSenha = rw::placed<EditField>(this, "eSenha", QRect(111, 57, 138, 22));
    eSenha->setEchoMode(QLineEdit::Password);
    bt_ok = rw::placed<QPushButton>(this, "bt_ok", QRect(203, 105, 45, 20));
    bt_ok->setText(QStringLiteral("Ok"));
    txtsenha11 = rw::placed<QLabel>(this, "txtsenha11", QRect(12, 59, 87, 20));
    txtsenha11->setText(Module1::kSenha());
    txtsenha11->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    StaticText1 = rw::placed<QLabel>(this, "StaticText1", QRect(20, 22, 237, 33));
    StaticText1->setText(Module1::kMsgDigiteSenha());
    StaticText1->setWordWrap(true);
    StaticText1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    setDefaultButton(bt_ok);
    setCancelButton(bt_cancela);
    eSenha->SetFocus();
}

void wDigitaSenha::bt_ok_Action()
{
    if (!ConfereSenha(eSenha->Text(), App::cSenha)) {
        MsgBox(Module1::kMsgSenhaNaoConfere());
        eSenha->SetFocus();
        return;
    }
    if (StoredFormOf(App::cSenha) == StoredForm::Legacy)
        replaceLegacyForm(eSenha->Text());
    // The prompt is only hidden and stays for the run; the password need not.
    eSenha->clear();
    Hide();
    wCash& window = wCash::instance();
    window.Show();
    // The start-up's posting of the day, kept for the password.
    window.ChecaAgendamentos();
}

void wDigitaSenha::replaceLegacyForm(const QString& password)
{
    // The earlier form gives the password back to anyone who reads the file:
    // once the password is known it is stored as a salted hash instead. A file
    // that cannot be written keeps the earlier form until it can.
    if (App::readOnly || !App::CashDB)
        return;
    const QString hashed = CodificaSenha(password);
    if (!Schema::WriteLockRow(*App::CashDB, true, hashed)) {
        App::DisplayDatabaseError();
        return;
    }
    App::cSenha = hashed;
}

void wDigitaSenha::bt_cancela_Action()
{
    Hide();
    App::CompactAndClose();
    // The run's one write of the preferences file happens here; the main
    // window's close at the end of the run then writes nothing more.
    App::WritePrefsOnce();
    App::Quit(0);
}

bool wDigitaSenha::CancelClose()
{
    bt_cancela_Action();
    return true;
}
