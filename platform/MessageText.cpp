#include "platform/MessageText.h"

#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace {

// Wider than any screen: a line laid out in it breaks only where the text does.
constexpr int unbounded = 1 << 20;

// The text as laid out: its line ends break lines within one paragraph.
QString shownText(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return shown;
}

} // namespace

MessageText::MessageText(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

int MessageText::heightForWidth(int width) const
{
    return layOut(width, nullptr);
}

int MessageText::naturalWidth() const
{
    QTextLayout layout(shownText(text()), font());
    qreal widest = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(unbounded);
        widest = std::max(widest, line.naturalTextWidth());
    }
    layout.endLayout();
    return int(std::ceil(widest));
}

void MessageText::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    layOut(width(), &painter);
}

int MessageText::layOut(int width, QPainter* painter) const
{
    QTextLayout layout(shownText(text()), font());
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

MessageArea::MessageArea(QWidget* parent) : QScrollArea(parent), text_(new MessageText)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::NoFocus);
    setWidget(text_);
}

int MessageArea::fitText(int width, int lowest, int tallest, bool widenForBar)
{
    const int needed = text_->heightForWidth(width);
    const int height = std::clamp(needed, lowest, std::max(lowest, tallest));
    const bool scrolls = needed > height;
    const int bar = scrolls ? verticalScrollBar()->sizeHint().width() : 0;
    const int lineWidth = widenForBar ? width : width - bar;
    setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    // Only a text that scrolls takes the focus, for the keys that scroll it.
    setFocusPolicy(scrolls ? Qt::StrongFocus : Qt::NoFocus);
    setFixedSize(widenForBar ? width + bar : width, height);
    text_->resize(lineWidth, std::max(height, text_->heightForWidth(lineWidth)));
    verticalScrollBar()->setValue(0);
    return height;
}
