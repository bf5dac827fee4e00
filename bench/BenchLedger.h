#pragma once

// The large ledger the benchmarks run on: 20 accounts, 100 categories and
// 100,000 transactions over twenty years, the same rows on every run.

#include "app/Schema.h"
#include "platform/Database.h"
#include "platform/Files.h"

#include <QDate>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

// The median time of `runs` runs of `work`, in milliseconds.
inline double millisecondsOf(const std::function<void()>& work, int runs)
{
    using Clock = std::chrono::steady_clock;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A fresh HOME for the run, made before the application object, so that a
// benchmark never touches a real user's files.
class BenchHome
{
  public:
    BenchHome() : dir_(QDir::tempPath() + QStringLiteral("/tovira-bench-XXXXXX"))
    {
        qputenv("HOME", dir_.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (dir_.path() + QStringLiteral("/.config")).toUtf8());
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QString path() const { return dir_.path(); }
    // Where the program looks for its data file; the folder is made.
    static QString dataFile()
    {
        const QString folder = DocumentsFolder() + QStringLiteral("/Tovira");
        EnsureFolder(folder);
        return folder + QStringLiteral("/Tovira.rbd");
    }

  private:
    QTemporaryDir dir_;
};

inline QString benchAccountName(int i)
{
    return QStringLiteral("Conta %1").arg(i, 2, 10, QLatin1Char('0'));
}

inline QString benchCategoryName(int i)
{
    return QStringLiteral("Categoria %1").arg(i);
}

// A new data file at `path` with the program's tables, open in `db`.
inline bool createBenchFile(SQLDatabase& db, const QString& path)
{
    db.setDatabaseFile(path);
    if (!db.CreateDatabaseFile() || !Schema::Create(db))
        return false;
    Schema::Upgrade(db);
    return true;
}

inline void addBenchLedger(SQLDatabase& db, QRandomGenerator& random)
{
    for (int i = 0; i < 20; ++i)
        db.SQLExecute(QStringLiteral("INSERT INTO Contas (nome) VALUES (?)"), {benchAccountName(i)});
    for (int i = 0; i < 100; ++i)
        db.SQLExecute(QStringLiteral("INSERT INTO Categorias (descricao) VALUES (?)"), {benchCategoryName(i)});
    const QDate first(2007, 1, 1);
    const int days = int(first.daysTo(QDate(2026, 12, 31)));
    for (int i = 0; i < 100000; ++i) {
        const double amount = random.bounded(1, 500000) / 100.0;
        const bool credit = random.bounded(3) == 0;
        db.SQLExecute(QStringLiteral("INSERT INTO Movimento (conta_nome, conta, contato, data, entrada, saida, "
                                     "conciliado, comentarios) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                      {benchAccountName(random.bounded(20)), benchCategoryName(random.bounded(100)),
                       QStringLiteral("  -  "), first.addDays(random.bounded(days + 1)).toString(Qt::ISODate),
                       credit ? QVariant(amount) : QVariant(), credit ? QVariant() : QVariant(amount),
                       random.bounded(2) ? QStringLiteral("Sim") : QStringLiteral("Não"),
                       QStringLiteral("transação %1").arg(i)});
    }
}
