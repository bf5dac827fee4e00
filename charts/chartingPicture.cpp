#include "charts/chartingPicture.h"

#include "platform/Format.h"
#include "platform/Seams.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QRandomGenerator>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Tall enough for any wrapped label.
constexpr int kTallest = 1 << 20;

} // namespace

int CInt(double value)
{
    if (std::isnan(value))
        return 0;
    const double whole = std::round(value);
    if (whole >= double(INT_MAX))
        return INT_MAX;
    if (whole <= double(INT_MIN))
        return INT_MIN;
    return int(whole);
}

chartingPicture::chartingPicture(int width, int height)
    : picture_(std::max(1, width), std::max(1, height), QImage::Format_RGB32)
{
    picture_.fill(Qt::white);
    titleFont_.setPixelSize(11);
    titleFont_.setBold(true);
    plotFont_.setPixelSize(9);
}

void chartingPicture::addColoredValue(double value, const QString& caption, const QColor& c, const QString& tag)
{
    values << value;
    captions << caption;
    yTag << tag;
    valueR << c.red();
    valueG << c.green();
    valueB << c.blue();
}

void chartingPicture::addValue(double value, const QString& caption)
{
    auto component = [] { return CInt(QRandomGenerator::global()->generateDouble() * 255); };
    addColoredValue(value, caption, QColor(component(), component(), component()), QString());
}

void chartingPicture::clearValues()
{
    values.clear();
    captions.clear();
    yTag.clear();
    valueR.clear();
    valueG.clear();
    valueB.clear();
}

void chartingPicture::drawChart()
{
    yOffset = 10;
    headerHeight = 24;
    chartWidth = picture_.width() - 10;
    chartHeight = std::max(1, picture_.height() - yOffset - headerHeight);
    chartYMargin = 20;
    chartLabelHeight = 6;
    chartPicture = QImage(std::max(1, CInt(chartWidth)), chartHeight, QImage::Format_RGB32);

    QPainter outer(&picture_);
    {
        QPainter plot(&chartPicture);
        setGradient(outer, plot);
        drawHeader(outer);
        setYScale();
        plot.setFont(plotFont_);
        if (chartType != Pie)
            drawChartLines(plot);
        if (chartType == Bars)
            barChart(plot);
        else if (chartType == Pie)
            pieChart(plot);
        else if (chartType == Lines)
            lineChart(plot);
    }
    outer.drawImage(5, headerHeight + 5, chartPicture);
}

void chartingPicture::copyChart()
{
    drawChart();
    seams::clipboard().setImage(picture_);
}

void chartingPicture::printChart()
{
    const std::shared_ptr<QPaintDevice> page = seams::printDialogs().openPrinterDialog();
    if (!page)
        return;
    drawChart();
    // The chart keeps its size on screen (96 pixels an inch) unless the page is smaller.
    const double scale =
        std::min({page->logicalDpiX() / 96.0, double(page->width()) / Width(), double(page->height()) / Height()});
    QPainter painter(page.get());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(0, 0, Width() * scale, Height() * scale), picture_);
}

void chartingPicture::setGradient(QPainter& outer, QPainter& plot)
{
    // From grey at the top to white at the bottom, one line per row.
    const auto shade = [](QPainter& g, int from, int width, int height) {
        for (int y = from; y <= height; ++y) {
            const int c = CInt(255.0 * y / height + 149.0 * (height - y) / height);
            g.setPen(QColor(c, c, c));
            g.drawLine(0, y, width, y);
        }
        g.setPen(QColor(170, 204, 233));
        g.drawLine(0, 0, width, 0);
    };
    shade(outer, headerHeight, picture_.width(), picture_.height());
    shade(plot, 0, chartPicture.width(), chartPicture.height());
}

void chartingPicture::drawHeader(QPainter& outer)
{
    const QColor band(100, 100, 100);
    outer.fillRect(0, 0, picture_.width(), 24, band);
    outer.setFont(titleFont_);
    outer.setPen(Qt::white);
    outer.drawText(QPoint(5, TextHeight() + 2), title);
    outer.setPen(band);
    outer.setBrush(Qt::NoBrush);
    outer.drawRect(0, 0, picture_.width() - 1, picture_.height() - 1);
}

void chartingPicture::setYScale()
{
    for (double v : values) {
        if (max < v)
            max = v;
        else if (v < min)
            min = v;
    }
    const double range = max - min;
    numberOfLines = range < 4 ? CInt(range) : 4;
    // A range of 0, below one grid step or beyond any number gives no scale:
    // the chart then shows its base line alone.
    scaled_ = numberOfLines > 0 && std::isfinite(range);
    const double room = chartHeight - chartYMargin - chartLabelHeight;
    yscale = scaled_ ? room / range : 0;
    interval = scaled_ ? room / numberOfLines : 0;
}

void chartingPicture::drawChartLines(QPainter& plot)
{
    plot.setPen(QPen(titleColor, chartLineWidth));
    // The label column is as wide as the widest label: the top one, or the
    // bottom one when it carries a minus sign.
    double labelWidth = StringWidth(Format(max, yFormat));
    if (min < 0)
        labelWidth = std::max(labelWidth, StringWidth(Format(min, yFormat)));
    xOffset = CInt(labelWidth + 5);
    axisLabels.clear();
    const int lines = scaled_ ? numberOfLines : 0;
    const double base = chartHeight - chartYMargin / 2.0 - chartLabelHeight;
    for (int i = 0; i <= lines; ++i) {
        const double y = scaled_ ? interval * i + chartYMargin / 2.0 : base;
        if (i == 0)
            topOfChart = CInt(y);
        if (i == lines)
            bottomOfChart = CInt(y);
        // From the largest value at the top down to the smallest at the bottom.
        const double label = scaled_ ? min + (lines - i) * ((max - min) / lines) : 0;
        axisLabels.append({Format(label, yFormat), CInt(y)});
        plot.drawLine(xOffset, CInt(y), chartPicture.width() - 5, CInt(y));
    }
    zeroLine_ = bottomOfChart - CInt(-min * yscale);
    if (scaled_ && min < 0)
        nameZeroLine(plot);
    drawAxisLabels(plot);
    chartWidth -= xOffset;
}

void chartingPicture::nameZeroLine(QPainter& plot)
{
    const QString zero = Format(0, yFormat);
    const bool named = std::any_of(axisLabels.cbegin(), axisLabels.cend(), [&](const AxisLabel& label) {
        return label.line == zeroLine_ && label.text == zero;
    });
    if (named)
        return;
    plot.drawLine(xOffset, zeroLine_, chartPicture.width() - 5, zeroLine_);
    // The bars grow from this line, so it is named like the grid lines; an
    // inner grid label too close to it gives way (its line stays). The top
    // and bottom labels always stay: the zero line lies between them.
    const int room = QFontMetrics(plotFont_).height();
    for (qsizetype i = axisLabels.size() - 2; i > 0; --i)
        if (std::abs(axisLabels[i].line - zeroLine_) < room)
            axisLabels.remove(i);
    qsizetype at = 1;
    while (at < axisLabels.size() - 1 && axisLabels[at].line <= zeroLine_)
        ++at;
    axisLabels.insert(at, AxisLabel{zero, zeroLine_});
}

void chartingPicture::drawAxisLabels(QPainter& plot)
{
    // Each label is centred on its line, right-aligned 5 pixels left of the
    // grid. The zero line's may lie just above the bottom line or just below
    // the top one: its label then moves off them rather than over theirs.
    const int room = QFontMetrics(plotFont_).height();
    const qsizetype last = axisLabels.size() - 1;
    for (qsizetype i = 0; i <= last; ++i) {
        const AxisLabel& label = axisLabels[i];
        int baseline = label.line + 4;
        if (label.line == zeroLine_ && i > 0 && i < last) {
            baseline = std::min(baseline, axisLabels[i + 1].line + 4 - room);
            baseline = std::max(baseline, axisLabels[i - 1].line + 4 + room);
        }
        drawString(plot, label.text, CInt(xOffset - (StringWidth(label.text) + 5)), baseline);
    }
}

void chartingPicture::barChart(QPainter& plot)
{
    const int n = int(values.size());
    if (n == 0 || !scaled_)
        return;
    const double b = chartWidth / (2 * n); // each value gets a bar and a gap of that width
    const int s = CInt(xOffset + b + 10);
    for (int i = 0; i < n; ++i) {
        const double v = values[i];
        const int left = CInt((2 * i - 1) * b + s);
        const int w = CInt(b);
        const int h = CInt(v * yscale);
        // A negative value's bar hangs down from the zero line.
        const int top = h >= 0 ? zeroLine_ - h : zeroLine_;
        const int height = std::abs(h);
        plot.fillRect(left, top, w, height, useRandomColors ? randomColor() : valueColor(i));
        if (!showValues)
            continue;
        const QString t = Format(v, yFormat);
        const int x = CInt(left + w / 2.0 - StringWidth(t) / 2.5);
        const int textHeight = StringHeight(t, w);
        if (textHeight < height) {
            plot.setPen(Qt::white);
            drawString(plot, t, x, CInt(top + height / 2.0 + textHeight / 2.5));
        } else {
            plot.setPen(Qt::black);
            const int baseline = h >= 0 ? top - StringHeight(t, w + 8) : top + height + TextHeight();
            drawString(plot, t, x, baseline, w + 8);
        }
    }
    createXAxisTags(plot);
}

void chartingPicture::pieChart(QPainter& plot)
{
    const double pi = 3.1415926;
    const double twoPi = 2 * pi;
    // The slices share out the values' total, counted in whole numbers.
    // Nothing that is not above 0 gets a slice.
    double total = 0;
    int last = -1;
    for (int i = 0; i < values.size(); ++i) {
        if (values[i] > 0) {
            total = std::round(total + values[i]);
            last = i;
        }
    }
    if (!(total > 0) || !std::isfinite(total))
        return;
    const int width = chartPicture.width();
    const int height = chartPicture.height();
    const int cx = CInt(width / 2.0);
    const int cy = CInt(height - height / 2.0);
    const int size = std::min(width, height);
    // Angle 0 is straight below the centre; angles grow towards the right.
    const auto pointAt = [&](double a) {
        return QPoint(CInt(cx + std::sin(a) * size / 2), CInt(cy + std::cos(a) * size / 2));
    };
    plot.setPen(Qt::NoPen);
    double start = 0;
    for (int i = 0; i <= last; ++i) {
        const double v = values[i];
        if (!(v > 0))
            continue;
        const double from = start * twoPi / total;
        const double to = (start + v) * twoPi / total;
        // About one point per pixel of the arc, whatever the values.
        const int steps = std::clamp(CInt(std::ceil((to - from) * size / 2)), 1, 8 * size + 8);
        QPolygon points;
        points << QPoint(cx, cy);
        for (int k = 0; k <= steps; ++k)
            points << pointAt(from + (to - from) * k / steps);
        points << (i == last ? pointAt(0) : pointAt(to));
        plot.setBrush(valueColor(i));
        plot.drawPolygon(points);
        start = std::round(start + v);
    }
}

void chartingPicture::lineChart(QPainter& plot)
{
    const int n = int(values.size());
    if (n == 0 || !scaled_)
        return;
    const double d = chartWidth / n;
    QVector<QPoint> points;
    for (int i = 0; i < n; ++i)
        points << QPoint(CInt(i * d + xOffset),
                         CInt(chartHeight - chartYMargin / 2.0 - chartLabelHeight - (values[i] - min) * yscale));
    for (int i = 1; i < n; ++i) {
        plot.setPen(QPen(valueColor(i), chartLineWidth));
        plot.drawLine(points[i - 1], points[i]);
    }
    for (int i = 0; i < n; ++i) {
        const QPoint p = points[i];
        plot.setPen(Qt::NoPen);
        plot.setBrush(randomColor());
        plot.drawEllipse(QRect(p.x() - 1, p.y() - 2, 4, 4));
        if (!showValues)
            continue;
        const QString t = Format(values[i], yFormat);
        const int tw = CInt(StringWidth(t));
        const int th = StringHeight(t, chartPicture.width());
        int y = CInt(p.y() - th * 1.5);
        // A label that would rise above the grid goes below its point.
        if (y < topOfChart)
            y = CInt(y + th * 1.5 * 4.0);
        plot.setPen(Qt::black);
        drawString(plot, t, CInt(p.x() - tw / 2.0), y);
    }
    createXAxisTags(plot);
}

void chartingPicture::createXAxisTags(QPainter& plot)
{
    const int n = int(values.size());
    if (n == 0)
        return;
    const double b = chartWidth / (2 * n);
    const int s = CInt(xOffset + b);
    for (int i = 0; i < n; ++i) {
        if (yTag[i].isEmpty())
            continue;
        const QString tag = createEllipse(yTag[i], CInt(b * 2.0));
        const int left = CInt((2 * i - 1) * b + s);
        const int x =
            chartType == Lines ? CInt(left - StringWidth(tag) / 3) : CInt(left + b / 2 - StringWidth(tag) / 2.5 + 10);
        plot.setPen(valueColor(i));
        drawString(plot, tag, x, chartPicture.height() - 2);
    }
}

QString chartingPicture::createEllipse(const QString& s, int maxWidth) const
{
    if (StringWidth(s) < maxWidth || forceNoEllipse)
        return s;
    QString r = s;
    while (!r.isEmpty() && StringWidth(r) >= maxWidth)
        r.chop(1);
    return r + QStringLiteral("...");
}

QColor chartingPicture::randomColor()
{
    QRandomGenerator* random = QRandomGenerator::global();
    const int red = random->bounded(30, 151);
    const int green = random->bounded(30, 151);
    const int blue = random->bounded(30, 201);
    return QColor(red, green, blue);
}

double chartingPicture::StringWidth(const QString& text) const
{
    return QFontMetricsF(titleFont_).horizontalAdvance(text);
}

int chartingPicture::StringHeight(const QString& text, int wrapWidth) const
{
    const QFontMetrics metrics(titleFont_);
    if (wrapWidth <= 0)
        return metrics.height();
    return metrics.boundingRect(QRect(0, 0, wrapWidth, kTallest), Qt::TextWrapAnywhere, text).height();
}

int chartingPicture::TextHeight() const
{
    return QFontMetrics(titleFont_).height();
}

void chartingPicture::drawString(QPainter& plot, const QString& text, int x, int baseline, int wrapWidth) const
{
    if (wrapWidth <= 0) {
        plot.drawText(QPoint(x, baseline), text);
        return;
    }
    const int ascent = QFontMetrics(plotFont_).ascent();
    plot.drawText(QRect(x, baseline - ascent, wrapWidth, kTallest), Qt::TextWrapAnywhere, text);
}
