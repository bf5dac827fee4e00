// The text exchange on a large ledger: the export of 100,000 transactions,
// the import of that file into an empty data file (preview and import), and
// raw SQLite inserts of the same rows in one transaction, with the ratio.

#include "BenchLedger.h"
#include "app/App.h"
#include "app/Schema.h"
#include "exchange/wImporta.h"
#include "platform/Database.h"
#include "platform/Seams.h"

#include <QApplication>
#include <QFileInfo>
#include <QRandomGenerator>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <sqlite3.h>

namespace {

using Clock = std::chrono::steady_clock;

// Wall-clock time; the processor time of the same work goes to `cpuMs` (the
// machine may be busy with other work).
double millisecondsOf(const std::function<void()>& work, double* cpuMs = nullptr)
{
    const std::clock_t cpuStart = std::clock();
    const auto start = Clock::now();
    work();
    if (cpuMs)
        *cpuMs = 1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Answers every file dialog with one path and keeps the messages, so that nothing waits for a user.
class Scripted final : public FileDialogService, public MessageService, public ConfirmationService
{
  public:
    QString path;
    QStringList shown;
    QString openFile(const QString&, const QString&) override { return path; }
    QString saveFile(const QString&, const QString&, const QString&) override { return path; }
    void message(const QString& text) override { shown << text; }
    bool confirm(const QString& text, bool, const QString&) override
    {
        shown << text;
        return true;
    }
};

std::unique_ptr<SQLDatabase> newDataFile(const QString& path)
{
    auto db = std::make_unique<SQLDatabase>();
    return createBenchFile(*db, path) ? std::move(db) : nullptr;
}

// The benchmarks' large ledger: 100,000 transactions over 20 accounts and 100 categories.
bool fillLedger(SQLDatabase& db)
{
    Transaction fill(db);
    QRandomGenerator random(42);
    addBenchLedger(db, random);
    return fill.commit();
}

// The same rows, read whole beforehand, inserted through the C API alone:
// one prepared statement, one transaction.
double rawInsertMs(const QString& from, const QString& to)
{
    auto source = std::make_unique<SQLDatabase>();
    source->setDatabaseFile(from);
    source->Connect();
    const auto rows = source->SQLSelect(QStringLiteral("SELECT conta_nome, conta, contato, data, entrada, saida, "
                                                       "conciliado, comentarios FROM Movimento ORDER BY id"));
    std::vector<std::array<QByteArray, 8>> texts;
    for (; !rows->Eof(); rows->MoveNext()) {
        std::array<QByteArray, 8> row;
        for (int c = 0; c < 8; ++c)
            row[c] = rows->IdxField(c + 1).StringValue().toUtf8();
        texts.push_back(row);
    }
    auto target = newDataFile(to);
    target.reset();
    sqlite3* db = nullptr;
    sqlite3_open_v2(to.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    const double ms = millisecondsOf([&] {
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO Movimento (conta_nome, conta, contato, data, entrada, saida, conciliado, "
                           "comentarios) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                           -1, &st, nullptr);
        for (const auto& row : texts) {
            for (int c = 0; c < 8; ++c) {
                if ((c == 4 || c == 5) && row[c].isEmpty())
                    sqlite3_bind_null(st, c + 1);
                else if (c == 4 || c == 5)
                    sqlite3_bind_double(st, c + 1, row[c].toDouble());
                else
                    sqlite3_bind_text(st, c + 1, row[c].constData(), int(row[c].size()), SQLITE_STATIC);
            }
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    });
    sqlite3_close(db);
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    const BenchHome home;
    QApplication app(argc, argv);
    Scripted scripted;
    seams::setFileDialogs(&scripted);
    seams::setMessages(&scripted);
    seams::setConfirmations(&scripted);

    const QString source = QDir(home.path()).filePath(QStringLiteral("source.rbd"));
    App::CashDB = newDataFile(source);
    if (!App::CashDB || !fillLedger(*App::CashDB)) {
        std::fprintf(stderr, "could not generate the ledger\n");
        return 1;
    }
    scripted.path = QDir(home.path()).filePath(QStringLiteral("Tovira Export.txt"));
    double exportCpu = 0;
    const double exportMs = millisecondsOf([] { App::ExportaDados(); }, &exportCpu);

    App::CashDB = newDataFile(QDir(home.path()).filePath(QStringLiteral("imported.rbd")));
    double previewCpu = 0;
    double importCpu = 0;
    const double previewMs = millisecondsOf([] { App::ImportaDados(); }, &previewCpu);
    const double importMs = millisecondsOf([] { wImporta::instance().ImportaDados2(); }, &importCpu);
    const auto count = App::CashDB->SQLSelect(QStringLiteral("SELECT count(*) FROM Movimento"));
    const double rawMs = rawInsertMs(source, QDir(home.path()).filePath(QStringLiteral("raw.rbd")));

    std::printf("export of 100,000 transactions: %.0f ms (processor %.0f ms, %.1f MB)\n", exportMs, exportCpu,
                QFileInfo(scripted.path).size() / 1e6);
    std::printf("import of that file into an empty data file: preview %.0f ms, import %.0f ms (processor %.0f ms), "
                "%lld rows stored\n",
                previewMs, importMs, previewCpu + importCpu, count ? count->IdxField(1).IntegerValue() : -1);
    std::printf("raw SQLite inserts of the same rows in one transaction: %.0f ms\n", rawMs);
    std::printf("import (preview + import) / raw inserts: %.1f\n", (previewMs + importMs) / rawMs);
    std::printf("messages: %s\n", qPrintable(scripted.shown.join(QStringLiteral(" | "))));
    App::CashDB.reset();
    return 0;
}
