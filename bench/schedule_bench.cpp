// The daily posting on a large file: 10,000 schedules, a third of them due,
// over 100,000 transactions. Prints the time of the first posting of the day
// (about 3,300 transactions), of a second start on the same day, and the raw SQLite
// time for the same look-ups and inserts, with their ratio.

#include "BenchLedger.h"
#include "app/App.h"
#include "ledger/wCash.h"
#include "platform/Format.h"

#include <QApplication>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QDate today(2026, 12, 15);

// One transaction of the raw run: account, category, credit, amount, day.
struct Due
{
    QByteArray account, category, day, nextDay;
    bool credit;
    double amount;
};

// 10,000 schedules over the ledger.
void addSchedules(SQLDatabase& db, QRandomGenerator& random, std::vector<Due>& due)
{
    // Every third schedule is due on the 15th of December: monthly, yearly
    // or once, on a day up to the 15th; the others fall on a later day or
    // in another month.
    const QString repeats[] = {QStringLiteral("Mensalmente"), QStringLiteral("Anualmente"),
                               QStringLiteral("Não repetir")};
    for (int i = 0; i < 10000; ++i) {
        const bool isDue = i % 3 == 0;
        const int kind = random.bounded(10) == 0 ? 2 : random.bounded(2);
        const int day = isDue ? 1 + random.bounded(15) : 16 + random.bounded(13);
        const QDate date = kind == 1 && !isDue ? QDate(2025, 1 + random.bounded(11), day)
                                               : QDate(kind == 2 ? 2026 : 2025, kind == 0 ? 3 : 12, day);
        const QString account = benchAccountName(random.bounded(20));
        const QString category = benchCategoryName(random.bounded(100));
        const bool credit = random.bounded(2) == 0;
        const double amount = random.bounded(1, 500000) / 100.0;
        db.SQLExecute(QStringLiteral("INSERT INTO Agenda VALUES (?, ?, ?, ?, ?, ?, '  -  ')"),
                      {account, category, credit ? QStringLiteral("Crédito") : QStringLiteral("Débito"),
                       date.toString(Qt::ISODate), AmountText(amount), repeats[kind]});
        if (isDue) {
            const QDate posted = kind == 2 ? date : QDate(2026, 12, day);
            due.push_back({account.toUtf8(), category.toUtf8(), posted.toString(Qt::ISODate).toUtf8(),
                           posted.addDays(1).toString(Qt::ISODate).toUtf8(), credit, amount});
        }
    }
}

// The same look-ups and inserts through the C API alone, in one transaction.
double rawPostingMs(const QString& path, const std::vector<Due>& due)
{
    sqlite3* db = openRaw(path, SQLITE_OPEN_READWRITE);
    const double ms = millisecondsOf([&] {
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_stmt* look[2] = {};
        sqlite3_prepare_v2(db,
                           "SELECT COUNT(*) FROM Movimento WHERE conta_nome = ? AND conta = ? AND saida = ? AND "
                           "data >= ? AND data < ?",
                           -1, &look[0], nullptr);
        sqlite3_prepare_v2(db,
                           "SELECT COUNT(*) FROM Movimento WHERE conta_nome = ? AND conta = ? AND entrada = ? AND "
                           "data >= ? AND data < ?",
                           -1, &look[1], nullptr);
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO Movimento (conta, contato, conta_nome, data, entrada, saida, conciliado, "
                           "comentarios) VALUES (?, '  -  ', ?, ?, ?, ?, 'Não', '')",
                           -1, &insert, nullptr);
        for (const Due& d : due) {
            sqlite3_stmt* st = look[d.credit];
            sqlite3_bind_text(st, 1, d.account.constData(), -1, SQLITE_STATIC);
            sqlite3_bind_text(st, 2, d.category.constData(), -1, SQLITE_STATIC);
            sqlite3_bind_double(st, 3, d.amount);
            sqlite3_bind_text(st, 4, d.day.constData(), -1, SQLITE_STATIC);
            sqlite3_bind_text(st, 5, d.nextDay.constData(), -1, SQLITE_STATIC);
            const bool found = sqlite3_step(st) == SQLITE_ROW && sqlite3_column_int(st, 0) > 0;
            sqlite3_reset(st);
            if (found)
                continue;
            sqlite3_bind_text(insert, 1, d.category.constData(), -1, SQLITE_STATIC);
            sqlite3_bind_text(insert, 2, d.account.constData(), -1, SQLITE_STATIC);
            sqlite3_bind_text(insert, 3, d.day.constData(), -1, SQLITE_STATIC);
            if (d.credit) {
                sqlite3_bind_double(insert, 4, d.amount);
                sqlite3_bind_null(insert, 5);
            } else {
                sqlite3_bind_null(insert, 4);
                sqlite3_bind_double(insert, 5, d.amount);
            }
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(look[0]);
        sqlite3_finalize(look[1]);
        sqlite3_finalize(insert);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    });
    sqlite3_close(db);
    return ms;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const BenchHome home;
    QApplication app(argc, argv);
    BenchSeams seams;
    seams.day = today;

    const QString file = BenchHome::dataFile();
    const QString pristine = home.path() + QStringLiteral("/pristine.rbd");
    std::vector<Due> due;
    if (!generateBenchFile(pristine, [&](SQLDatabase& db, QRandomGenerator& random) { addSchedules(db, random, due); }))
        return 1;
    std::printf("10,000 schedules, %zu due on %s, over 100,000 transactions\n", due.size(),
                qPrintable(ShortDate(today)));

    std::vector<double> first, sameDay, raw;
    QString message;
    for (int run = 0; run < 5; ++run) {
        App::resetState();
        QFile::remove(file);
        QFile::copy(pristine, file);
        App::CashDB = openBenchFile(file);
        wCash& main = wCash::instance();
        first.push_back(millisecondsOf([&] { main.ChecaAgendamentos(); }));
        message = seams.shown.value(0);
        sameDay.push_back(millisecondsOf([&] { main.ChecaAgendamentos(); }));

        QFile::remove(file);
        QFile::copy(pristine, file);
        raw.push_back(rawPostingMs(file, due));
    }
    // A whole second start of the day: data file, preferences, main window,
    // posting. The first start posts and keeps the day in the preferences.
    App::resetState();
    QFile::remove(file);
    QFile::copy(pristine, file);
    if (!App::Event_Open())
        return 1;
    App::_FileQuit_Action();
    std::vector<double> secondStart;
    for (int run = 0; run < 5; ++run) {
        App::resetState();
        secondStart.push_back(millisecondsOf([] { App::Event_Open(); }));
        App::_FileQuit_Action();
    }
    App::resetState();

    std::printf("first posting of the day:           %.0f ms (%s)\n", median(first), qPrintable(message));
    std::printf("raw SQLite, same look-ups, inserts: %.0f ms\n", median(raw));
    std::printf("ratio posting / raw:                %.2f\n", median(first) / median(raw));
    std::printf("second start, same day (posting):   %.3f ms\n", median(sameDay));
    std::printf("whole second start, same day:       %.0f ms (Event_Open, median of 5)\n", median(secondStart));
    return 0;
}
