#include "ui/common/confirma.h"

#include "platform/Seams.h"
#include "ui/common/Module1.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr int buttonTop = 72;
constexpr int buttonWidth = 69;
constexpr int buttonHeight = 20;
constexpr int cancelLeft = 58;

class DialogConfirmations final : public ConfirmationService
{
public:
    bool confirm(const QString& message, bool showCancel, const QString& title) override
    {
        return confirma::instance().Ask(message, showCancel, title);
    }
};

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, int left)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(left, buttonTop, buttonWidth, buttonHeight);
    return button;
}

} // namespace

confirma::confirma()
{
    setObjectName(QStringLiteral("confirma"));
    // A modal dialog frame with a title bar only: no close box, no maximize button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral("Confirmação"));
    setFixedSize(261, 112);

    mensagem = new QLabel(this);
    mensagem->setObjectName(QStringLiteral("mensagem"));
    mensagem->setGeometry(13, 14, 234, 46);
    mensagem->setWordWrap(true);
    mensagem->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    mensagem->setTextFormat(Qt::PlainText);
    QFont font = mensagem->font();
    font.setPixelSize(12);
    mensagem->setFont(font);

    BT_cancela = makeButton(this, "BT_cancela", Module1::kCancela(), cancelLeft);
    BT_ok = makeButton(this, "BT_ok", QStringLiteral("Ok"), okBesideCancelLeft);
    setCancelButton(BT_cancela);

    connect(BT_cancela, &QPushButton::clicked, this, [this] { BT_cancela_Action(); });
    connect(BT_ok, &QPushButton::clicked, this, [this] { BT_ok_Action(); });
}

void confirma::BT_cancela_Action()
{
    opcao = false;
    Hide();
}

void confirma::BT_ok_Action()
{
    opcao = true;
    Hide();
}

bool confirma::CancelClose()
{
    BT_cancela_Action();
    return true;
}

bool confirma::Ask(const QString& message, bool showCancel, const QString& title)
{
    // A call while the dialog is already waiting for an answer must not
    // rewrite the question on screen; it gets a no.
    if (isVisible()) {
        qWarning("confirma: a second question while one is open was answered no: %s", qPrintable(message));
        return false;
    }
    mensagem->setText(message);
    setWindowTitle(title);
    // Every call sets both buttons, so one call's arrangement never leaks into the next.
    if (showCancel) {
        BT_cancela->setVisible(true);
        BT_ok->move(okBesideCancelLeft, buttonTop);
        setDefaultButton(BT_cancela);
    } else {
        BT_cancela->setVisible(false);
        BT_ok->move(okAloneLeft, buttonTop);
        setDefaultButton(BT_ok);
    }
    BT_ok->setDefault(!showCancel);
    BT_cancela->setDefault(showCancel);
    // Space answers like Return: the default button holds the focus.
    defaultButton()->setFocus(Qt::OtherFocusReason);
    // Anything that ends the dialog other than OK is a no, never a stale yes.
    opcao = false;
    ShowModal();
    return opcao;
}

void InstallConfirmationDialog()
{
    static DialogConfirmations service;
    seams::setConfirmations(&service);
}
