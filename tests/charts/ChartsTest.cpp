#include "AppFixture.h"
#include "charts/chartingPicture.h"
#include "charts/wGraficos.h"

namespace {

class ChartWindow : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        openDatabase();
        addAccounts({"Banco", "D'Ávila"});
        addCategories({"Lazer", "Mercado"});
        addTransaction("Banco", "Mercado", "", "2026-03-05", "100", "", "Não");
        addTransaction("Banco", "Lazer", "", "2025-03-20", "", "40", "Não");
        addTransaction("D'Ávila", "Lazer", "", "2026-03-09", "70", "", "Sim");
        addTransaction("D'Ávila", "Mercado", "", "2026-04-01", "", "25.5", "Não");
        addTransaction("D'Ávila", "Lazer", "", "2024-03-30", "", "12.25", "Sim");
        addTransaction("Banco", "Mercado", "", "2026-11-15", "8", "3", "Sim");
    }

    // Sets the filters as a user does and presses Ok.
    static wGraficos& chartOf(const QString& account, const QString& category, const QString& month, bool verified)
    {
        wGraficos& w = wGraficos::instance();
        select(w.sContas, account);
        select(w.sCategorias, category);
        select(w.sMes, month);
        w.cConciliado->setChecked(verified);
        click(w.bt_ok);
        return w;
    }
};

const QColor red(180, 33, 25);
const QColor navy(22, 13, 55);

chartingPicture chart(const QVector<double>& values, int kind = chartingPicture::Bars, int width = 694,
                      int height = 372)
{
    chartingPicture c(width, height);
    for (int i = 0; i < values.size(); ++i)
        c.addColoredValue(values[i], QString(), i % 2 ? navy : red, i % 2 ? "Débito" : "Crédito");
    c.chartType = kind;
    c.yFormat = "-###,##0.00";
    c.showValues = true;
    c.title = "Categoria: Todas | Conta: Todas | Mês: Todos";
    c.drawChart();
    return c;
}

QColor at(const chartingPicture& c, int x, int y)
{
    return c.image().pixelColor(x, y);
}

// The rows of column x that hold the colour, as "first-last" runs.
QString runs(const chartingPicture& c, int x, const QColor& colour)
{
    QStringList out;
    for (int y = 0, first = -1; y <= c.Height(); ++y) {
        const bool in = y < c.Height() && at(c, x, y) == colour;
        if (in && first < 0)
            first = y;
        if (!in && first >= 0) {
            out << QString("%1-%2").arg(first).arg(y - 1);
            first = -1;
        }
    }
    return out.join(' ');
}

// The first column of row y in the colour, or -1.
int firstColumn(const chartingPicture& c, int y, const QColor& colour)
{
    for (int x = 0; x < c.Width(); ++x)
        if (at(c, x, y) == colour)
            return x;
    return -1;
}

QColor darkest(const chartingPicture& c, const QRect& area)
{
    QColor found = Qt::white;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (at(c, x, y).lightness() < found.lightness())
                found = at(c, x, y);
    return found;
}

} // namespace

TEST_F(ChartWindow, opensOnEveryRowWithTheUnverifiedSums_everyFilterCombinationSumsTheRowsThatPassIt_orTellsWhyNot)
{
    openMain().Toolbar11_Action("mgraficos");
    ASSERT_TRUE(wGraficos::exists());
    wGraficos& w = wGraficos::instance();
    EXPECT_EQ(rows(w.sContas), QStringList({"Banco", "D'Ávila", "Todas"}));
    EXPECT_EQ(w.sMes->Text(), "Todos");
    ASSERT_TRUE(w.barChart);
    EXPECT_EQ(w.barChart->title, "Categoria: Todas | Conta: Todas | Mês: Todos");
    EXPECT_EQ(w.barChart->values, QVector<double>({100, 65.5}));
    testsupport::screenshot(w, "wGraficos");

    // A filter changed without Ok leaves the chart as it was.
    const chartingPicture* before = w.barChart.get();
    select(w.sMes, "Março");
    w.cConciliado->setChecked(true);
    EXPECT_EQ(w.barChart.get(), before);

    // Every combination of filters sums what SQL sums for the same rows.
    const std::tuple<const char*, const char*, const char*, bool, const char*> cases[] = {
        {"Todas", "Todas", "Março", false, "substr(data, 6, 2) = '03' AND conciliado = 'Não'"},
        {"Todas", "Lazer", "Março", true, "substr(data, 6, 2) = '03' AND conta = 'Lazer' AND conciliado = 'Sim'"},
        {"Todas", "Mercado", "Todos", false, "conta = 'Mercado' AND conciliado = 'Não'"},
        {"D'Ávila", "Todas", "Todos", true, "conta_nome = 'D''Ávila' AND conciliado = 'Sim'"},
        {"D'Ávila", "Lazer", "Todos", false, "0"},
        {"Banco", "Mercado", "Novembro", true,
         "substr(data, 6, 2) = '11' AND conta = 'Mercado' AND conta_nome = 'Banco' AND conciliado = 'Sim'"},
        {"Banco", "Todas", "Março", false, "substr(data, 6, 2) = '03' AND conta_nome = 'Banco' AND conciliado = 'Não'"},
    };
    for (const auto& [account, category, month, verified, where] : cases) {
        SCOPED_TRACE(where);
        chartOf(account, category, month, verified);
        const QStringList sums = testsupport::rows(
            db(), QString("SELECT TOTAL(entrada), TOTAL(saida) FROM Movimento WHERE %1").arg(where))[0];
        EXPECT_EQ(w.barChart->values, QVector<double>({sums[0].toDouble(), sums[1].toDouble()}));
        EXPECT_EQ(w.barChart->title, QString("Categoria: %1 | Conta: %2 | Mês: %3").arg(category, account, month));
    }
    testsupport::screenshot(chartOf("D'Ávila", "Lazer", "Todos", false), "wGraficos_empty");
    EXPECT_TRUE(recorder.shown.isEmpty());
    // A sum that cannot be read is told once and charts zeros.
    exec("ALTER TABLE Movimento RENAME TO Antigo");
    chartOf("Banco", "Todas", "Todos", false);
    EXPECT_EQ(recorder.messages(), QStringList({"Erro: 1\n\nno such table: Movimento"}));
    EXPECT_EQ(w.barChart->values, QVector<double>({0, 0}));
    click(w.bt_fecha);
    EXPECT_FALSE(wGraficos::exists());
}

// The renderer alone, pixel by pixel.

TEST(Renderer, creditOf150AndDebitOf100_drawTheSpecifiedPicture)
{
    const chartingPicture c = chart({150, 100});
    testsupport::saveImage(c.image(), "chart_bars");
    EXPECT_EQ(at(c, 2, 200), QColor(206, 206, 206));
    EXPECT_EQ(at(c, 680, 5), QColor(100, 100, 100)) << "title band";
    EXPECT_NE(firstColumn(c, 12, Qt::white), -1) << "title text";
    for (const auto& [x, y] : {std::pair{0, 200}, {693, 200}, {300, 371}})
        EXPECT_EQ(at(c, x, y), QColor(100, 100, 100)) << "frame " << x << "," << y;
    EXPECT_EQ(runs(c, 674, Qt::black), "39-39 117-117 195-195 273-273 351-351");

    const int credit = firstColumn(c, 300, red);
    const int debit = firstColumn(c, 300, navy);
    ASSERT_TRUE(credit > 0 && debit > credit);
    EXPECT_EQ(runs(c, credit + 1, red), "39-350");
    EXPECT_EQ(runs(c, debit + 1, navy), "143-350");
    EXPECT_EQ(at(c, credit + 1, 351), Qt::black);
    // The tags, under their bars in their colours (their darkest pixels, as text is smoothed).
    const QColor creditTag = darkest(c, QRect(credit, 352, 160, 16));
    const QColor debitTag = darkest(c, QRect(debit, 352, 160, 16));
    EXPECT_GT(creditTag.red(), creditTag.green() + 50);
    EXPECT_GT(debitTag.blue(), debitTag.red() + 10);

    // A negative value hangs down from the zero line.
    const chartingPicture negative = chart({150, -50});
    EXPECT_EQ(runs(negative, firstColumn(negative, 100, red) + 1, red), "39-272");
    EXPECT_EQ(runs(negative, firstColumn(negative, 300, navy) + 1, navy), "273-350");
    // A thousand values, as bars and as lines.
    QVector<double> values;
    for (int i = 0; i < 1000; ++i)
        values << (i % 7) * 123.45 - 100;
    chart(values);
    chart(values, chartingPicture::Lines);
}

// The y-axis reads from the largest value on the top line down to the
// smallest on the bottom line, and the line the bars grow from is named
// "0.00", also when negative values put it between two grid lines.
TEST(Renderer, axisLabels_runFromTheMaximumOnTopToTheMinimumAtTheBottom_andNameTheBarsZeroLine)
{
    const std::pair<QVector<double>, QStringList> cases[] = {
        {{150, 100}, {"150.00", "112.50", "75.00", "37.50", "0.00"}},
        {{150, -50}, {"150.00", "100.00", "50.00", "0.00", "-50.00"}},
        {{1000, -60}, {"1,000.00", "735.00", "470.00", "205.00", "0.00", "-60.00"}},
        {{1000, -2}, {"1,000.00", "749.50", "499.00", "248.50", "0.00", "-2.00"}},
        {{2, -1000}, {"2.00", "0.00", "-248.50", "-499.00", "-749.50", "-1,000.00"}},
        {{-40, -10}, {"0.00", "-10.00", "-20.00", "-30.00", "-40.00"}},
    };
    for (const auto& [values, expected] : cases) {
        SCOPED_TRACE(QString("values %1, %2").arg(values[0]).arg(values[1]).toStdString());
        const chartingPicture c = chart(values);
        testsupport::saveImage(c.image(), QString("chart_axis_%1_%2").arg(values[0]).arg(values[1]));
        QStringList texts;
        int zeroRow = -1;
        for (const chartingPicture::AxisLabel& label : c.axisLabels) {
            texts << label.text;
            // The plot lies at (5, 29) in the picture.
            const int row = label.line + 29;
            if (label.text == "0.00")
                zeroRow = row;
            const int grid = firstColumn(c, row, Qt::black);
            ASSERT_GT(grid, 5) << label.text.toStdString() << ": no line drawn at its row";
            EXPECT_LT(darkest(c, QRect(5, row - 7, grid - 5, 14)).lightness(), 100) << label.text.toStdString();
        }
        EXPECT_EQ(texts.join(" | ").toStdString(), expected.join(" | ").toStdString());
        ASSERT_GE(zeroRow, 0) << "no label names the zero line";
        // The first bar starts on the zero line: a credit above it, a debit below.
        const QString bar = runs(c, firstColumn(c, zeroRow + (values[0] > 0 ? -1 : 1), red) + 1, red);
        EXPECT_TRUE(values[0] > 0 ? bar.endsWith(QString("-%1").arg(zeroRow - 1)) : bar.startsWith(QString::number(zeroRow)))
            << bar.toStdString() << " zero at " << zeroRow;
    }
}

// Ranges that give no scale draw the base line alone and no bars.
TEST(Renderer, rangesWithoutAScale_drawTheBaseLineAndNoBars)
{
    const QString fiveLines = "39-39 117-117 195-195 273-273 351-351";
    const std::pair<QVector<double>, QString> cases[] = {
        {{}, "351-351"},       {{0, 0}, "351-351"}, {{0.4, 0.2}, "351-351"},   {{qInf(), 1}, "351-351"},
        {{3.5, 1}, fiveLines}, {{7}, fiveLines},    {{qQNaN(), 5}, fiveLines},
    };
    for (const auto& [values, grid] : cases) {
        for (int kind : {int(chartingPicture::Bars), int(chartingPicture::Lines)}) {
            const chartingPicture c = chart(values, kind);
            SCOPED_TRACE(QString("kind %1, %2 values, %3").arg(kind).arg(values.size()).arg(grid).toStdString());
            EXPECT_EQ(runs(c, 674, Qt::black), grid);
            const bool bars = firstColumn(c, 345, red) >= 0 || firstColumn(c, 345, navy) >= 0;
            EXPECT_EQ(bars, kind == chartingPicture::Bars && grid == fiveLines);
        }
    }
}

TEST(Renderer, aScaleThatOutlivesClearValues)
{
    testsupport::saveImage(chart({120, 80, 150, 40, -20, 95}, chartingPicture::Lines).image(), "chart_lines");

    chartingPicture cleared = chart({150});
    cleared.clearValues();
    cleared.addValue(10, QString());
    EXPECT_EQ(cleared.yTag, QStringList({""}));
    cleared.drawChart();
    // 10 on the scale of 150: 21 of the 312 pixels.
    const QColor colour(cleared.valueR[0], cleared.valueG[0], cleared.valueB[0]);
    EXPECT_EQ(runs(cleared, firstColumn(cleared, 345, colour) + 1, colour), "330-350");
}

TEST(Renderer, pieOf1And3_fillsAQuarterBelowAndRightOfTheCentre_aNegativeValueGetsNoSlice)
{
    // A square plot of 300 x 300 at (5, 29): the centre is at (155, 179).
    const chartingPicture c = chart({1, 3, -2}, chartingPicture::Pie, 310, 334);
    testsupport::saveImage(c.image(), "chart_pie");
    EXPECT_EQ(at(c, 155 + 50, 179 + 50), red);
    for (const auto& [dx, dy] : {std::pair{-50, 50}, {50, -50}, {-50, -50}})
        EXPECT_EQ(at(c, 155 + dx, 179 + dy), navy) << dx << "," << dy;

    const chartingPicture huge = chart({1e9, 1}, chartingPicture::Pie, 310, 334);
    EXPECT_EQ(at(huge, 155 + 50, 179 + 50), red);
    for (const QVector<double>& nothing : {QVector<double>{0.4, 0.4}, {-5, 0}, {}}) {
        const chartingPicture none = chart(nothing, chartingPicture::Pie, 310, 334);
        EXPECT_EQ(firstColumn(none, 179 + 50, red), -1);
        EXPECT_EQ(firstColumn(none, 179 - 50, navy), -1);
    }
}

TEST(Renderer, copyPutsTheChartOnTheClipboard_printDrawsOnlyOnAPageGiven)
{
    Recorder recorder;
    chartingPicture c(694, 372);
    c.addColoredValue(150, QString(), red, "Crédito");
    c.chartType = chartingPicture::Bars;
    c.printChart();
    EXPECT_EQ(recorder.printDialogsShown, 1);
    EXPECT_EQ(at(c, 2, 200), Qt::white) << "cancelled: nothing drawn";

    c.copyChart();
    ASSERT_EQ(recorder.copied.size(), 1);
    EXPECT_EQ(recorder.copied[0], c.image());
    EXPECT_EQ(at(c, 2, 200), QColor(206, 206, 206)) << "copied as drawn";

    recorder.page = std::make_shared<QImage>(800, 600, QImage::Format_RGB32);
    recorder.page->fill(Qt::white);
    c.printChart();
    EXPECT_EQ(recorder.page->pixelColor(2, 200), QColor(206, 206, 206));
}
