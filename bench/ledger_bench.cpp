// The ledger's speed on a large file: 100,000 transactions over 20 accounts,
// 100 categories and 20 years. Prints the reload times of the main window,
// the raw SQLite time for the same rows, their ratio, and the time from start
// to the main window on screen with the part of it the integrity check takes.

#include "BenchLedger.h"
#include "app/App.h"
#include "ledger/wCash.h"
#include "platform/Controls.h"
#include "platform/Listbox.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The same three statements through the C API alone, every column of every row read.
double rawQueryMs(const QString& path, const char* pattern)
{
    sqlite3* db = openRaw(path);
    volatile long sink = 0;
    const double ms = millisecondsOf(
        [&] {
            sink = sink + rawRun(db, "SELECT SUM(entrada) from Movimento WHERE data LIKE ?", {pattern});
            sink = sink + rawRun(db, "SELECT SUM(saida) from Movimento WHERE data LIKE ?", {pattern});
            sink = sink + rawRun(db, "SELECT * FROM Movimento WHERE data LIKE ? ORDER BY data", {pattern});
        },
        7);
    sqlite3_close(db);
    return ms;
}

void selectAccount(wCash& w, const QString& name)
{
    for (int row = 0; row < w.List_Contas->ListCount(); ++row) {
        if (w.List_Contas->Cell(row, 0) == name)
            w.List_Contas->setListIndex(row);
    }
}

} // namespace

int main(int argc, char** argv)
{
    const BenchHome home;
    QApplication app(argc, argv);

    const QString file = BenchHome::dataFile();
    bool generated = false;
    // Chosen in the account list, "Todas" shows every account's rows.
    const double genMs = millisecondsOf([&] {
        generated = generateBenchFile(file, [](SQLDatabase& db, QRandomGenerator&) {
            db.SQLExecute(QStringLiteral("INSERT INTO Contas (nome) VALUES ('Todas')"));
        });
    });
    if (!generated)
        return 1;
    std::printf("generated 100,000 transactions in %.0f ms\n", genMs);

    // The integrity check that every start-up runs, on a connection of its own.
    const double checkMs = millisecondsOf(
        [&] {
            SQLDatabase db;
            db.setDatabaseFile(file);
            if (!db.Connect() || !db.QuickCheck())
                std::fprintf(stderr, "quick_check failed: %s\n", qPrintable(db.ErrorMessage()));
        },
        5);

    // Start to main window on screen, through the whole run (the quit that
    // follows is not timed).
    std::vector<double> startups;
    for (int i = 0; i < 5; ++i) {
        App::resetState();
        double shownAfter = -1;
        const auto start = Clock::now();
        QTimer poll;
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (wCash::exists() && wCash::existing()->isVisible()) {
                shownAfter = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                poll.stop();
                App::Quit(0);
            }
        });
        poll.start();
        App::run();
        startups.push_back(shownAfter);
    }
    std::sort(startups.begin(), startups.end());

    App::resetState();
    if (!App::Event_Open())
        return 1;
    wCash& w = wCash::instance();

    selectAccount(w, benchAccountName(5));
    w.sMes->setListIndex(4);
    w.sAno->setListIndex(w.sAno->findText(QStringLiteral("2020")));
    const int oneRows = w.lMovimento->ListCount();
    const double oneMs = millisecondsOf([&] { w.CarregalMovimento(); }, 21);

    selectAccount(w, QStringLiteral("Todas"));
    w.sMes->setListIndex(12);
    w.sAno->setListIndex(w.sAno->findText(QStringLiteral("Todos")));
    const int allRows = w.lMovimento->ListCount();
    const double allMs = millisecondsOf([&] { w.CarregalMovimento(); }, 7);
    const double rawMs = rawQueryMs(file, "_______%");

    std::printf("one account, one month (%d rows):   CarregalMovimento %.2f ms\n", oneRows, oneMs);
    std::printf("all accounts, months, years (%d rows): CarregalMovimento %.1f ms\n", allRows, allMs);
    std::printf("raw SQLite, same three statements:     %.1f ms\n", rawMs);
    std::printf("ratio listing / raw:                   %.2f\n", allMs / rawMs);
    std::printf("start to main window shown (median of 5): %.0f ms (min %.0f, max %.0f)\n",
                startups[startups.size() / 2], startups.front(), startups.back());
    std::printf("  of which PRAGMA quick_check (%.1f MB file): %.0f ms\n", QFileInfo(file).size() / 1e6, checkMs);
    App::resetState();
    return 0;
}
