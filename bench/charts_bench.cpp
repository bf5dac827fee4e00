// The charts' speed: drawing the chart window's picture with two values, a
// thousand values as bars and as lines, and large pies; and the chart
// window's two sums over 100,000 transactions against the raw SQLite time of
// the same two statements, with their ratio.

#include "BenchLedger.h"
#include "app/Schema.h"
#include "charts/ChartSums.h"
#include "charts/chartingPicture.h"
#include "platform/Database.h"

#include <QApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
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

bool generate(SQLDatabase& db)
{
    if (!Schema::Create(db))
        return false;
    Transaction tx(db);
    QRandomGenerator random(42);
    for (int i = 0; i < 100000; ++i) {
        const double amount = random.bounded(1, 500000) / 100.0;
        const bool credit = random.bounded(3) == 0;
        db.SQLExecute(QStringLiteral("INSERT INTO Movimento (conta_nome, conta, contato, data, entrada, saida, "
                                     "conciliado, comentarios) VALUES (?, ?, '  -  ', ?, ?, ?, ?, '')"),
                      {QStringLiteral("Conta %1").arg(random.bounded(20)),
                       QStringLiteral("Categoria %1").arg(random.bounded(100)),
                       QDate(2007, 1, 1).addDays(random.bounded(7300)).toString(Qt::ISODate),
                       credit ? QVariant(amount) : QVariant(), credit ? QVariant() : QVariant(amount),
                       random.bounded(2) ? QStringLiteral("Sim") : QStringLiteral("Não")});
    }
    return tx.commit();
}

// The chart window's two statements for one month of every year, unverified, through the C API alone.
double rawSumsMs(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    volatile double sink = 0;
    const auto sum = [&](const char* sql) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
        sqlite3_bind_text(st, 1, "_____03%", -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 2, "Não", -1, SQLITE_STATIC);
        while (sqlite3_step(st) == SQLITE_ROW)
            sink = sink + sqlite3_column_double(st, 0);
        sqlite3_finalize(st);
    };
    const double ms = millisecondsOf(
        [&] {
            sum("SELECT SUM(entrada) from Movimento WHERE data LIKE ? AND conciliado =  ?");
            sum("SELECT SUM(saida) from Movimento WHERE data LIKE ? AND conciliado =  ?");
        },
        9);
    sqlite3_close(db);
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::vector<double> thousand;
    for (int i = 0; i < 1000; ++i)
        thousand.push_back((i % 7) * 123.45);
    std::printf("drawChart 694 x 372, two bars:         %.2f ms\n", drawMs({150, 100}, chartingPicture::Bars));
    std::printf("drawChart, a thousand bars:            %.2f ms\n", drawMs(thousand, chartingPicture::Bars));
    std::printf("drawChart, a thousand points as lines: %.2f ms\n", drawMs(thousand, chartingPicture::Lines));
    std::printf("drawChart, pie of 1e9 and 1:           %.2f ms\n", drawMs({1e9, 1}, chartingPicture::Pie));
    std::printf("drawChart, pie of a thousand values:   %.2f ms\n", drawMs(thousand, chartingPicture::Pie));

    QTemporaryDir folder;
    SQLDatabase db;
    db.setDatabaseFile(folder.filePath(QStringLiteral("Tovira.rbd")));
    if (!db.CreateDatabaseFile() || !generate(db)) {
        std::fprintf(stderr, "could not generate the database\n");
        return 1;
    }
    const ChartFilter march{QStringLiteral("Todas"), QStringLiteral("Todas"), 2, false};
    const double sumsMs = millisecondsOf([&] { ChartSums::load(db, march); }, 9);
    const double rawMs = rawSumsMs(db.DatabaseFile());
    std::printf("chart sums, March of every year, 100,000 rows: %.2f ms\n", sumsMs);
    std::printf("raw SQLite, same two statements:               %.2f ms\n", rawMs);
    std::printf("ratio sums / raw:                              %.2f\n", sumsMs / rawMs);
    return 0;
}
