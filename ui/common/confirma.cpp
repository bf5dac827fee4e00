#include "ui/common/confirma.h"

#include "platform/Seams.h"
#include "ui/common/Module1.h"

#include <QPushButton>
#include <algorithm>

namespace {

// The dialog as laid out for a message of up to three lines; a longer one
// makes the text area and the dialog taller by the same amount.
constexpr int dialogWidth = 261;
constexpr int dialogHeight = 112;
constexpr int textLeft = 13;
constexpr int textTop = 14;
constexpr int textWidth = 234;
constexpr int textHeight = 46;
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

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->resize(buttonWidth, buttonHeight);
    return button;
}

} // namespace

confirma::confirma()
{
    setObjectName(QStringLiteral("confirma"));
    // A modal dialog frame with a title bar only: no close box, no maximize button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral("Confirmação"));
    setFixedSize(dialogWidth, dialogHeight);

    areaMensagem = new MessageArea(this);
    areaMensagem->setObjectName(QStringLiteral("areaMensagem"));
    areaMensagem->move(textLeft, textTop);

    mensagem = areaMensagem->text();
    mensagem->setObjectName(QStringLiteral("mensagem"));
    mensagem->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont font = mensagem->font();
    font.setPixelSize(12);
    mensagem->setFont(font);
    areaMensagem->fitText(textWidth, textHeight, textHeight);

    BT_cancela = makeButton(this, "BT_cancela", Module1::kCancela());
    BT_ok = makeButton(this, "BT_ok", QStringLiteral("Ok"));
    setCancelButton(BT_cancela);
    placeButtons();

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
    arrangeButtons(showCancel);
    fitToMessage();
    // Anything that ends the dialog other than OK is a no, never a stale yes.
    opcao = false;
    ShowModal();
    return opcao;
}

void confirma::arrangeButtons(bool showCancel)
{
    // Every call sets both buttons, so one call's arrangement never leaks into the next.
    BT_cancela->setVisible(showCancel);
    setDefaultButton(showCancel ? BT_cancela : BT_ok);
    BT_ok->setDefault(!showCancel);
    BT_cancela->setDefault(showCancel);
    // Space answers like Return: the default button holds the focus.
    defaultButton()->setFocus(Qt::OtherFocusReason);
    placeButtons();
}

void confirma::placeButtons()
{
    const int top = buttonTop + areaMensagem->height() - textHeight;
    BT_cancela->move(cancelLeft, top);
    BT_ok->move(BT_cancela->isHidden() ? okAloneLeft : okBesideCancelLeft, top);
}

void confirma::fitToMessage()
{
    // The whole text shows: the dialog grows by what the text needs beyond
    // three lines, up to the free height of the screen; beyond that the text scrolls.
    const QRect screenArea = ScreenAreaAt(frameGeometry().center());
    const int tallest = screenArea.height() - FrameHeightOf(*this) - (dialogHeight - textHeight);
    const int areaHeight = areaMensagem->fitText(textWidth, textHeight, tallest);
    placeButtons();
    const QSize size(dialogWidth, dialogHeight + areaHeight - textHeight);
    if (size != this->size())
        setFixedSize(size);
    // Shown before and now taller: kept on the screen.
    const QRect frame = frameGeometry();
    if (windowHandle() && screenArea.isValid() && frame.bottom() > screenArea.bottom())
        move(x(), std::max(screenArea.top(), screenArea.bottom() + 1 - frame.height()));
}

void InstallConfirmationDialog()
{
    static DialogConfirmations service;
    seams::setConfirmations(&service);
}
