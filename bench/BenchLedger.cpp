#include "BenchLedger.h"

#include "app/Schema.h"
#include "platform/Files.h"

#include <QDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

double millisecondsOf(const std::function<void()>& work, int runs, bool best, double* cpuMs)
{
    using Clock = std::chrono::steady_clock;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const std::clock_t cpuStart = std::clock();
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        if (cpuMs)
            *cpuMs = 1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    }
    std::sort(times.begin(), times.end());
    return best ? times.front() : times[times.size() / 2];
}

BenchHome::BenchHome() : dir_(QDir::tempPath() + QStringLiteral("/tovira-bench-XXXXXX"))
{
    qputenv("HOME", dir_.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (dir_.path() + QStringLiteral("/.config")).toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

QString BenchHome::dataFile()
{
    const QString folder = DocumentsFolder() + QStringLiteral("/Tovira");
    EnsureFolder(folder);
    return folder + QStringLiteral("/Tovira.rbd");
}

QString benchAccountName(int i)
{
    return QStringLiteral("Conta %1").arg(i, 2, 10, QLatin1Char('0'));
}

QString benchCategoryName(int i)
{
    return QStringLiteral("Categoria %1").arg(i);
}

std::unique_ptr<SQLDatabase> newBenchFile(const QString& path)
{
    auto db = std::make_unique<SQLDatabase>();
    db->setDatabaseFile(path);
    if (!db->CreateDatabaseFile() || !Schema::Create(*db))
        return nullptr;
    Schema::Upgrade(*db);
    return db;
}

std::unique_ptr<SQLDatabase> openBenchFile(const QString& path)
{
    auto db = std::make_unique<SQLDatabase>();
    db->setDatabaseFile(path);
    db->Connect();
    return db;
}

bool generateBenchFile(const QString& path, const std::function<void(SQLDatabase&, QRandomGenerator&)>& more)
{
    const auto db = newBenchFile(path);
    bool done = false;
    if (db) {
        Transaction tx(*db);
        QRandomGenerator random(42);
        for (int i = 0; i < 20; ++i)
            db->SQLExecute(QStringLiteral("INSERT INTO Contas (nome) VALUES (?)"), {benchAccountName(i)});
        for (int i = 0; i < 100; ++i)
            db->SQLExecute(QStringLiteral("INSERT INTO Categorias (descricao) VALUES (?)"), {benchCategoryName(i)});
        const QDate first(2007, 1, 1);
        const int days = int(first.daysTo(QDate(2026, 12, 31)));
        for (int i = 0; i < 100000; ++i) {
            const double amount = random.bounded(1, 500000) / 100.0;
            const bool credit = random.bounded(3) == 0;
            db->SQLExecute(QStringLiteral("INSERT INTO Movimento (conta_nome, conta, contato, data, entrada, saida, "
                                          "conciliado, comentarios) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                           {benchAccountName(random.bounded(20)), benchCategoryName(random.bounded(100)),
                            QStringLiteral("  -  "), first.addDays(random.bounded(days + 1)).toString(Qt::ISODate),
                            credit ? QVariant(amount) : QVariant(), credit ? QVariant() : QVariant(amount),
                            random.bounded(2) ? QStringLiteral("Sim") : QStringLiteral("Não"),
                            QStringLiteral("transação %1").arg(i)});
        }
        if (more)
            more(*db, random);
        done = tx.commit();
    }
    if (!done)
        std::fprintf(stderr, "could not generate the database\n");
    return done;
}

sqlite3* openRaw(const QString& path, int flags)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    return db;
}

long rawRun(sqlite3* db, const char* sql, std::initializer_list<const char*> texts)
{
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    int index = 0;
    for (const char* text : texts)
        sqlite3_bind_text(st, ++index, text, -1, SQLITE_STATIC);
    long bytes = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            const int type = sqlite3_column_type(st, c);
            bytes += type == SQLITE_INTEGER ? sqlite3_column_int64(st, c) & 1
                     : type == SQLITE_FLOAT ? long(sqlite3_column_double(st, c) > 0)
                     : type == SQLITE_TEXT  ? sqlite3_column_bytes(st, c) + (sqlite3_column_text(st, c) ? 1 : 0)
                                            : 0;
        }
    }
    sqlite3_finalize(st);
    return bytes;
}

BenchSeams::BenchSeams()
{
    seams::setFileDialogs(this);
    seams::setMessages(this);
    seams::setConfirmations(this);
    seams::setClock(this);
}
