#include "ui/common/confirma.h"

#include "platform/Seams.h"
#include "ui/common/Module1.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextLayout>
#include <QWindow>
#include <algorithm>
#include <cmath>

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
// Room for the window manager's title bar and border while they are not known.
constexpr int frameAllowance = 48;

class DialogConfirmations final : public ConfirmationService
{
public:
    bool confirm(const QString& message, bool showCancel, const QString& title) override
    {
        return confirma::instance().Ask(message, showCancel, title);
    }
};

// The message, wrapped at blanks and, where a word is wider than a line (a
// file name, a long amount), inside the word: QLabel's word wrap would let
// such a word run past the edge and cut it off.
class MessageText final : public QLabel
{
  public:
    using QLabel::QLabel;

    int heightForWidth(int width) const override { return layOut(width, nullptr); }

  protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(foregroundRole()));
        layOut(width(), &painter);
    }

  private:
    // Lays the text out in `width`, draws it when given a painter, and returns its height.
    int layOut(int width, QPainter* painter) const
    {
        QString shown = text();
        shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
        QTextLayout layout(shown, font());
        QTextOption option(alignment() & Qt::AlignHorizontal_Mask);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        qreal height = 0;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(width);
            line.setPosition(QPointF(0, height));
            height += line.height();
        }
        layout.endLayout();
        if (painter)
            layout.draw(painter, QPointF());
        return int(std::ceil(height));
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
    setFixedSize(dialogWidth, dialogHeight);

    areaMensagem = new QScrollArea(this);
    areaMensagem->setObjectName(QStringLiteral("areaMensagem"));
    areaMensagem->setFrameShape(QFrame::NoFrame);
    areaMensagem->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    areaMensagem->setGeometry(textLeft, textTop, textWidth, textHeight);

    mensagem = new MessageText;
    mensagem->setObjectName(QStringLiteral("mensagem"));
    mensagem->resize(textWidth, textHeight);
    mensagem->setWordWrap(true);
    mensagem->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    mensagem->setTextFormat(Qt::PlainText);
    QFont font = mensagem->font();
    font.setPixelSize(12);
    mensagem->setFont(font);
    areaMensagem->setWidget(mensagem);

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
    fitToMessage();
    // Every call sets both buttons, so one call's arrangement never leaks into the next.
    if (showCancel) {
        BT_cancela->setVisible(true);
        BT_ok->move(okBesideCancelLeft, BT_ok->y());
        setDefaultButton(BT_cancela);
    } else {
        BT_cancela->setVisible(false);
        BT_ok->move(okAloneLeft, BT_ok->y());
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

void confirma::fitToMessage()
{
    // The whole text shows: the dialog grows by what the text needs beyond
    // three lines, up to the free height of the screen; beyond that the text scrolls.
    const QRect screenArea = ScreenAreaAt(frameGeometry().center());
    const int frameHeight =
        windowHandle() ? windowHandle()->frameMargins().top() + windowHandle()->frameMargins().bottom() : 0;
    const int tallest = screenArea.height() - std::max(frameHeight, frameAllowance) - (dialogHeight - textHeight);
    const int needed = mensagem->heightForWidth(textWidth);
    const int areaHeight = std::clamp(needed, textHeight, std::max(textHeight, tallest));
    const bool scrolls = needed > areaHeight;
    const int labelWidth = scrolls ? textWidth - areaMensagem->verticalScrollBar()->sizeHint().width() : textWidth;
    areaMensagem->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    areaMensagem->setFocusPolicy(scrolls ? Qt::StrongFocus : Qt::NoFocus);
    areaMensagem->resize(textWidth, areaHeight);
    mensagem->resize(labelWidth, std::max(areaHeight, mensagem->heightForWidth(labelWidth)));
    areaMensagem->verticalScrollBar()->setValue(0);

    const int top = buttonTop + areaHeight - textHeight;
    BT_cancela->move(cancelLeft, top);
    BT_ok->move(BT_ok->x(), top);
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
