#pragma once

// The chart renderer: one data series (a value, a caption, a colour and an
// x-axis tag per entry) drawn as a titled bar, pie or line chart into a
// picture of a fixed size. It knows nothing of windows or of the database:
// the caller adds the values, sets the kind and the texts, calls drawChart and
// then draws image() wherever the chart is wanted.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QVector>

class QPainter;

// The one conversion of a Double to an Integer in the chart's geometry: the
// nearest whole number, halves away from zero. What is not a number counts as
// 0, and what lies beyond the Integer range is held at its end.
int CInt(double value);

class chartingPicture
{
  public:
    enum Kind {
        Bars = 1,
        Pie = 2,
        Lines = 3,
    };

    // The whole chart's size in pixels.
    chartingPicture(int width, int height);

    // The chart as last drawn (blank before the first drawChart).
    const QImage& image() const { return picture_; }
    int Width() const { return picture_.width(); }
    int Height() const { return picture_.height(); }

    void addColoredValue(double value, const QString& caption, const QColor& c, const QString& tag);
    // A value with no tag, in a random colour.
    void addValue(double value, const QString& caption);
    // Forgets the values; the scale keeps the extremes already seen.
    void clearValues();
    // Lays out and draws the whole chart.
    void drawChart();
    // Draws the chart and puts it on the clipboard.
    void copyChart();
    // Asks for a page through the print dialog and draws the chart onto it;
    // a cancelled dialog changes nothing.
    void printChart();

    // Set by the caller before drawChart.
    int chartType = 0; // a Kind; any other value draws background, title and grid only
    QString title;
    QString yFormat; // the Format mask of every number the chart draws
    bool showValues = false;
    bool useRandomColors = false;  // each bar in a fresh random colour
    bool forceNoEllipse = false;   // never shorten a tag
    QColor titleColor = Qt::black; // grid lines and y-axis labels
    int chartLineWidth = 0;        // pen of the grid and the line segments; 0 is the thinnest line

    // The data series; entry i of each belongs to value i.
    QVector<double> values;
    QStringList captions; // kept, never drawn
    QStringList yTag;
    QVector<int> valueR;
    QVector<int> valueG;
    QVector<int> valueB;

    // The y-axis labels as last drawn, from the top down: each label's text
    // and the row of the line it names in the plot.
    struct AxisLabel
    {
        QString text;
        int line = 0;
    };
    QVector<AxisLabel> axisLabels;

  private:
    void setGradient(QPainter& outer, QPainter& plot);
    void drawHeader(QPainter& outer);
    void setYScale();
    void drawChartLines(QPainter& plot);
    void nameZeroLine(QPainter& plot);
    void drawAxisLabels(QPainter& plot);
    void barChart(QPainter& plot);
    void pieChart(QPainter& plot);
    void lineChart(QPainter& plot);
    void createXAxisTags(QPainter& plot);
    QString createEllipse(const QString& s, int maxWidth) const;
    static QColor randomColor();

    QColor valueColor(int i) const { return QColor(valueR[i], valueG[i], valueB[i]); }
    // Texts are measured in the title's font (size 11, bold) and drawn
    // smaller on the plot, so they come out narrower than measured.
    double StringWidth(const QString& text) const;
    int StringHeight(const QString& text, int wrapWidth) const;
    int TextHeight() const;
    // A label or tag at the plot's text size; a wrap width of 0 draws one line.
    void drawString(QPainter& plot, const QString& text, int x, int baseline, int wrapWidth = 0) const;

    QImage picture_;
    QImage chartPicture; // the plot, composed onto the picture at (5, 29)
    QFont titleFont_;
    QFont plotFont_;

    // Worked out by every drawChart.
    double max = 0;       // the largest value ever seen: never reset
    double min = 0;       // the smallest value ever seen: never reset
    bool scaled_ = false; // false while the values' range gives no scale
    int numberOfLines = 0;
    double yscale = 0;
    double interval = 0;
    int yOffset = 0;
    int xOffset = 0;
    int headerHeight = 0;
    double chartWidth = 0;
    int chartHeight = 0;
    int topOfChart = 0;
    int bottomOfChart = 0;
    int zeroLine_ = 0; // where the value 0 lies: the base of the bars
    int chartYMargin = 0;
    int chartLabelHeight = 0;
};
