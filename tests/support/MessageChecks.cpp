#include "MessageChecks.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <algorithm>
#include <gtest/gtest.h>

namespace testsupport {

namespace {

const QLabel* labelOf(const QWidget& window)
{
    const auto* label = window.findChild<QLabel*>(QStringLiteral("mensagem"));
    EXPECT_TRUE(label) << window.objectName().toStdString() << " has no text";
    return label;
}

// The text area, in the window's coordinates.
QRect areaOf(const QWidget& window)
{
    const auto* area = window.findChild<QScrollArea*>(QStringLiteral("areaMensagem"));
    EXPECT_TRUE(area) << window.objectName().toStdString() << " has no text area";
    return area ? QRect(area->mapTo(&window, QPoint()), area->size()) : QRect();
}

} // namespace

qint64 ink(const QImage& image, QColor background)
{
    const int paper = qGray(background.rgb());
    qint64 sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += std::max(0, paper - qGray(image.pixel(x, y)));
    return sum;
}

double shownShare(QWidget& window)
{
    const QLabel* found = labelOf(window);
    if (!found)
        return 0;
    const QLabel& label = *found;
    const QColor paper = label.palette().color(label.backgroundRole());
    const QFontMetrics metrics(label.font());
    const QStringList paragraphs = label.text().split(QLatin1Char('\n'));
    int widest = 0;
    for (const QString& p : paragraphs)
        widest = std::max(widest, metrics.horizontalAdvance(p));
    QImage whole(widest + 20, int(paragraphs.size()) * metrics.lineSpacing() + 20, QImage::Format_RGB32);
    whole.fill(paper);
    QPainter painter(&whole);
    painter.setFont(label.font());
    painter.setPen(label.palette().color(label.foregroundRole()));
    for (qsizetype i = 0; i < paragraphs.size(); ++i)
        painter.drawText(10, 10 + metrics.ascent() + int(i) * metrics.lineSpacing(), paragraphs[i]);
    painter.end();
    return double(ink(window.grab(areaOf(window)).toImage(), paper)) / double(std::max<qint64>(1, ink(whole, paper)));
}

void expectTextAndButtonsInside(QWidget& window)
{
    const QLabel* found = labelOf(window);
    if (!found)
        return;
    const QLabel& label = *found;
    const QRect inside = window.rect();
    const QRect area = areaOf(window);
    EXPECT_LE(label.heightForWidth(label.width()), label.height());
    EXPECT_LE(label.width(), area.width());
    EXPECT_TRUE(inside.contains(area));
    for (const QPushButton* button : window.findChildren<QPushButton*>()) {
        if (!button->isVisible())
            continue;
        const QRect placed(button->mapTo(&window, QPoint()), button->size());
        EXPECT_GE(placed.y(), area.bottom()) << button->objectName().toStdString();
        EXPECT_TRUE(inside.contains(placed)) << button->objectName().toStdString();
    }
}

} // namespace testsupport
