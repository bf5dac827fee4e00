#pragma once

// A panel whose children are placed at fixed pixel positions, designed for
// one size. When the panel is resized each child keeps its distance to the
// edges it is anchored to: anchored left and right it stretches in width,
// only right it moves with the right edge, neither it stays where it is.

#include <QPointer>
#include <QRect>
#include <QVector>
#include <QWidget>

class AnchoredArea : public QWidget
{
    Q_OBJECT

  public:
    enum Anchor {
        Left = 1,
        Top = 2,
        Right = 4,
        Bottom = 8,
        // Never narrower than the child's size hint: it grows to the left, its
        // right edge staying where the other anchors put it.
        GrowLeft = 16,
    };

    AnchoredArea(QSize designSize, QWidget* parent = nullptr);

    // Places `child` (made a child of this panel) at `designRect` of the designed size.
    void place(QWidget* child, const QRect& designRect, int anchors);
    QSize designSize() const { return design_; }
    QSize sizeHint() const override { return design_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    // A child's size hint changed (a label's new text), or the panel is shown:
    // the children are placed again.
    bool event(QEvent* event) override;

  private:
    struct Placement
    {
        QPointer<QWidget> widget;
        QRect rect;
        int anchors;
    };
    QRect placed(const Placement& p) const;
    void placeAll();

    QSize design_;
    QVector<Placement> placements_;
};
