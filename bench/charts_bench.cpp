// The charts' speed: drawing the chart window's picture with two values, a
// thousand values as bars and as lines, and large pies; and the chart
// window's two sums over 100,000 transactions against the raw SQLite time of
// the same two statements, with their ratio.

#include "BenchLedger.h"
#include "charts/ChartSums.h"
#include "charts/chartingPicture.h"

#include <QApplication>
#include <cstdio>
#include <vector>

namespace {

double drawMs(const std::vector<double>& values, int kind)
{
    return millisecondsOf(
        [&] {
            chartingPicture chart(694, 372);
            for (double v : values)
                chart.addColoredValue(v, QString(), QColor(180, 33, 25), QStringLiteral("Crédito"));
            chart.chartType = kind;
            chart.yFormat = QStringLiteral("-###,##0.00");
            chart.showValues = true;
            chart.drawChart();
        },
        9);
}

// The chart window's two statements for one month of every year, unverified, through the C API alone.
double rawSumsMs(const QString& path)
{
    sqlite3* db = openRaw(path);
    volatile long sink = 0;
    const double ms = millisecondsOf(
        [&] {
            sink = sink + rawRun(db, "SELECT SUM(entrada) from Movimento WHERE data LIKE ? AND conciliado =  ?",
                                 {"_____03%", "Não"});
            sink = sink + rawRun(db, "SELECT SUM(saida) from Movimento WHERE data LIKE ? AND conciliado =  ?",
                                 {"_____03%", "Não"});
        },
        9);
    sqlite3_close(db);
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    const BenchHome home;
    QApplication app(argc, argv);

    std::vector<double> thousand;
    for (int i = 0; i < 1000; ++i)
        thousand.push_back((i % 7) * 123.45);
    std::printf("drawChart 694 x 372, two bars:         %.2f ms\n", drawMs({150, 100}, chartingPicture::Bars));
    std::printf("drawChart, a thousand bars:            %.2f ms\n", drawMs(thousand, chartingPicture::Bars));
    std::printf("drawChart, a thousand points as lines: %.2f ms\n", drawMs(thousand, chartingPicture::Lines));
    std::printf("drawChart, pie of 1e9 and 1:           %.2f ms\n", drawMs({1e9, 1}, chartingPicture::Pie));
    std::printf("drawChart, pie of a thousand values:   %.2f ms\n", drawMs(thousand, chartingPicture::Pie));

    const QString file = home.file(QStringLiteral("Tovira.rbd"));
    if (!generateBenchFile(file))
        return 1;
    const auto db = openBenchFile(file);
    const ChartFilter march{QStringLiteral("Todas"), QStringLiteral("Todas"), 2, false};
    const double sumsMs = millisecondsOf([&] { ChartSums::load(*db, march); }, 9);
    const double rawMs = rawSumsMs(file);
    std::printf("chart sums, March of every year, 100,000 rows: %.2f ms\n", sumsMs);
    std::printf("raw SQLite, same two statements:               %.2f ms\n", rawMs);
    std::printf("ratio sums / raw:                              %.2f\n", sumsMs / rawMs);
    return 0;
}
