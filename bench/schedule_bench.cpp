// The daily posting on a large file: 10,000 schedules, a third of them due,
// over 100,000 transactions. Prints the time of the first posting of the day
// (about 3,300 transactions), of a second start on the same day, and the raw
// SQLite time for the same work (every schedule read, the look-ups, inserts
// and removals of the one-time schedules, one reload of the main window's
// year list and ledger), with their ratio.

#include "BenchLedger.h"
#include "app/App.h"
#include "ledger/LedgerQuery.h"
#include "ledger/wCash.h"
#include "platform/Controls.h"
#include "platform/Listbox.h"
#include "platform/Format.h"

#include <QApplication>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QDate today(2026, 12, 15);

// 10,000 schedules over the ledger.
void addSchedules(SQLDatabase& db, QRandomGenerator& random, int& dueCount)
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
        dueCount += isDue;
    }
}

// A stored date "YYYY-MM-DD" as the number YYYYMMDD.
int dayNumber(const unsigned char* text)
{
    const char* date = reinterpret_cast<const char*>(text);
    return date ? std::atoi(date) * 10000 + std::atoi(date + 5) * 100 + std::atoi(date + 8) : 0;
}

// The posting's work through the C API alone, in one transaction: every
// schedule read, the due ones looked up in the ledger and inserted when
// missing, the one-time ones removed, then the main window's reload (the
// year list and its ledger of the year).
struct RawTimes
{
    double posting = 0; // reading, looking up, inserting, removing, committing
    double reload = 0;  // the year list and the ledger of the year
};

RawTimes rawPostingMs(const QString& path, const QByteArray& account, const QByteArray& pattern)
{
    sqlite3* db = openRaw(path, SQLITE_OPEN_READWRITE);
    const int day0 = today.year() * 10000 + today.month() * 100 + today.day();
    const int lastDay = today.daysInMonth();
    const QByteArray monthly = QStringLiteral("Mensalmente").toUtf8();
    const QByteArray yearly = QStringLiteral("Anualmente").toUtf8();
    const QByteArray once = QStringLiteral("Não repetir").toUtf8();
    const QByteArray credit = QStringLiteral("Crédito").toUtf8();
    volatile long sink = 0;
    RawTimes times;
    times.posting = millisecondsOf([&] {
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_stmt* rows = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT rowid, conta, categoria, subcategoria, data, contato, repete, contatoplus FROM "
                           "Agenda ORDER BY conta, rowid",
                           -1, &rows, nullptr);
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
                           "comentarios) VALUES (?, ?, ?, ?, ?, ?, 'Não', '')",
                           -1, &insert, nullptr);
        sqlite3_stmt* remove = nullptr;
        sqlite3_prepare_v2(db,
                           "DELETE FROM Agenda WHERE rowid = ? AND ifnull(conta, '') = ? AND ifnull(categoria, '') = "
                           "? AND ifnull(contato, '') = ?",
                           -1, &remove, nullptr);
        while (sqlite3_step(rows) == SQLITE_ROW) {
            const auto text = [&](int column) {
                return QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(rows, column)),
                                  sqlite3_column_bytes(rows, column));
            };
            const QByteArray repeat = text(6);
            const int first = dayNumber(sqlite3_column_text(rows, 4));
            int day = 0;
            if (repeat == monthly || (repeat == yearly && first / 100 % 100 == today.month()))
                day = day0 / 100 * 100 + std::min(first % 100, lastDay);
            else if (repeat == once)
                day = first;
            if (day == 0 || day > day0 || day < first)
                continue;
            const QByteArray account = text(1), category = text(2), amountText = text(5);
            const double amount = amountText.toDouble();
            const bool isCredit = text(3) == credit;
            const QDate due(day / 10000, day / 100 % 100, day % 100);
            const QByteArray from = due.toString(Qt::ISODate).toLatin1();
            const QByteArray to = due.addDays(1).toString(Qt::ISODate).toLatin1();
            const bool isOnce = repeat == once;
            if (!isOnce) {
                sqlite3_stmt* st = look[isCredit];
                sqlite3_bind_text(st, 1, account.constData(), -1, SQLITE_STATIC);
                sqlite3_bind_text(st, 2, category.constData(), -1, SQLITE_STATIC);
                sqlite3_bind_double(st, 3, amount);
                sqlite3_bind_text(st, 4, from.constData(), -1, SQLITE_STATIC);
                sqlite3_bind_text(st, 5, to.constData(), -1, SQLITE_STATIC);
                const bool found = sqlite3_step(st) == SQLITE_ROW && sqlite3_column_int(st, 0) > 0;
                sqlite3_reset(st);
                if (found)
                    continue;
            }
            const QByteArray contact = text(7);
            sqlite3_bind_text(insert, 1, category.constData(), -1, SQLITE_STATIC);
            sqlite3_bind_text(insert, 2, contact.constData(), -1, SQLITE_STATIC);
            sqlite3_bind_text(insert, 3, account.constData(), -1, SQLITE_STATIC);
            sqlite3_bind_text(insert, 4, from.constData(), -1, SQLITE_STATIC);
            if (isCredit) {
                sqlite3_bind_double(insert, 5, amount);
                sqlite3_bind_null(insert, 6);
            } else {
                sqlite3_bind_null(insert, 5);
                sqlite3_bind_double(insert, 6, amount);
            }
            sqlite3_step(insert);
            sqlite3_reset(insert);
            if (isOnce) {
                sqlite3_bind_int64(remove, 1, sqlite3_column_int64(rows, 0));
                sqlite3_bind_text(remove, 2, account.constData(), -1, SQLITE_STATIC);
                sqlite3_bind_text(remove, 3, category.constData(), -1, SQLITE_STATIC);
                sqlite3_bind_text(remove, 4, amountText.constData(), -1, SQLITE_STATIC);
                sqlite3_step(remove);
                sqlite3_reset(remove);
            }
        }
        for (sqlite3_stmt* st : {rows, look[0], look[1], insert, remove})
            sqlite3_finalize(st);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    });
    times.reload = millisecondsOf([&] {
        sink = sink + rawRun(db, "SELECT DISTINCT data FROM Movimento ORDER BY data", {});
        sink = sink + rawRun(db, "SELECT SUM(entrada) from Movimento WHERE conta_nome =  ? AND data LIKE ?",
                             {account.constData(), pattern.constData()});
        sink = sink + rawRun(db, "SELECT SUM(saida) from Movimento WHERE conta_nome =  ? AND data LIKE ?",
                             {account.constData(), pattern.constData()});
        sink = sink + rawRun(db, "SELECT * FROM Movimento WHERE conta_nome = ? AND data LIKE ? ORDER BY data",
                             {account.constData(), pattern.constData()});
    });
    sqlite3_close(db);
    return times;
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
    int due = 0;
    if (!generateBenchFile(pristine, [&](SQLDatabase& db, QRandomGenerator& random) { addSchedules(db, random, due); }))
        return 1;
    std::printf("10,000 schedules, %d due on %s, over 100,000 transactions\n", due, qPrintable(ShortDate(today)));

    std::vector<double> first, sameDay, raw, rawPosting, rawReload;
    int reloads = 0;
    QString message;
    for (int run = 0; run < 5; ++run) {
        App::resetState();
        QFile::remove(file);
        QFile::copy(pristine, file);
        App::CashDB = openBenchFile(file);
        wCash& main = wCash::instance();
        // The ledger the main window shows after the posting.
        LedgerFilter shown;
        shown.monthIndex = main.sMes->ListIndex();
        shown.year = main.sAno->Text();
        const QByteArray account = main.List_Contas->Text().toUtf8();
        const QByteArray pattern = LedgerQuery::datePattern(shown).toUtf8();
        reloads = 0;
        App::CashDB->setStatementObserver(
            [&](const QString& sql) { reloads += sql.startsWith(QLatin1String("SELECT * FROM Movimento")); });
        first.push_back(millisecondsOf([&] { main.ChecaAgendamentos(); }));
        App::CashDB->setStatementObserver(nullptr);
        message = seams.shown.value(0);
        sameDay.push_back(millisecondsOf([&] { main.ChecaAgendamentos(); }));

        QFile::remove(file);
        QFile::copy(pristine, file);
        const RawTimes times = rawPostingMs(file, account, pattern);
        raw.push_back(times.posting + times.reload);
        rawPosting.push_back(times.posting);
        rawReload.push_back(times.reload);
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
    std::printf("raw SQLite, same work:              %.0f ms (posting %.0f ms, one reload %.0f ms)\n", median(raw),
                median(rawPosting), median(rawReload));
    std::printf("ledger listings read by the posting: %d (the raw run reads 1)\n", reloads);
    std::printf("ratio posting / raw:                %.2f\n", median(first) / median(raw));
    std::printf("second start, same day (posting):   %.3f ms\n", median(sameDay));
    std::printf("whole second start, same day:       %.0f ms (Event_Open, median of 5)\n", median(secondStart));
    return 0;
}
