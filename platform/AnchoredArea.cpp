#include "platform/AnchoredArea.h"

#include <QResizeEvent>

AnchoredArea::AnchoredArea(QSize designSize, QWidget* parent) : QWidget(parent), design_(designSize)
{
    resize(design_);
}

void AnchoredArea::place(QWidget* child, const QRect& designRect, int anchors)
{
    child->setParent(this);
    placements_.append({child, designRect, anchors});
    child->setGeometry(placed(placements_.last()));
}

QRect AnchoredArea::placed(const Placement& p) const
{
    const int dw = width() - design_.width();
    const int dh = height() - design_.height();
    int x = p.rect.x(), w = p.rect.width();
    if ((p.anchors & Left) && (p.anchors & Right))
        w += dw;
    else if (p.anchors & Right)
        x += dw;
    int y = p.rect.y(), h = p.rect.height();
    if ((p.anchors & Top) && (p.anchors & Bottom))
        h += dh;
    else if (p.anchors & Bottom)
        y += dh;
    if ((p.anchors & GrowLeft) && p.widget && p.widget->sizeHint().width() > w) {
        x -= p.widget->sizeHint().width() - w;
        w = p.widget->sizeHint().width();
    }
    return QRect(x, y, qMax(0, w), qMax(0, h));
}

void AnchoredArea::placeAll()
{
    for (const Placement& p : placements_) {
        if (p.widget)
            p.widget->setGeometry(placed(p));
    }
}

void AnchoredArea::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeAll();
}

bool AnchoredArea::event(QEvent* event)
{
    // Hidden, the panel hears of no size hint that changed; it looks again when shown.
    if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show)
        placeAll();
    return QWidget::event(event);
}
