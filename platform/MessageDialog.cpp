#include "platform/MessageDialog.h"

#include "platform/MessageText.h"
#include "platform/Window.h"

#include <QCursor>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

namespace {

// The framework's message box without an icon: the text indented by this
// much, and no wider than half the screen up to this width before it wraps.
constexpr int textIndent = 15;
constexpr int widestText = 500;
// Room beside the title in the title bar, so that it is not cut short.
constexpr int titleRoom = 50;

} // namespace

MessageDialog::MessageDialog(const QString& title, const QString& text, QWidget* parent)
    : QDialog(parent), area_(new MessageArea)
{
    setObjectName(QStringLiteral("MsgBox"));
    setWindowTitle(title);
    area_->setObjectName(QStringLiteral("areaMensagem"));
    area_->text()->setObjectName(QStringLiteral("mensagem"));
    area_->text()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    area_->text()->setText(text);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->setCenterButtons(style()->styleHint(QStyle::SH_MessageBox_CenterButtons, nullptr, this));
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("BT_ok"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addItem(new QSpacerItem(textIndent, 1, QSizePolicy::Fixed, QSizePolicy::Fixed), 0, 0);
    grid->addWidget(area_, 0, 1);
    grid->addWidget(buttons, 1, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    fitToText();
    ok->setFocus(Qt::OtherFocusReason);
}

void MessageDialog::fitToText()
{
    // The screen the box will open on: its parent's, else the pointer's.
    const QPoint anchor = parentWidget() ? parentWidget()->window()->frameGeometry().center() : QCursor::pos();
    const QRect screenArea = ScreenAreaAt(anchor);
    const int widest = std::min(screenArea.width() / 2, widestText);
    const int width = std::clamp(area_->text()->naturalWidth(), 1, std::max(1, widest));

    // What the box needs beside its text: margins, the buttons, the title.
    area_->setFixedSize(width, 0);
    layout()->activate();
    const QSize around = sizeHint() - area_->size();
    const int titleWidth = fontMetrics().horizontalAdvance(windowTitle()) + titleRoom;
    const int tallest = screenArea.height() - FrameHeightOf(*this) - around.height();
    area_->fitText(std::max(width, titleWidth - around.width()), 0, tallest, true);
    layout()->activate();
}
