// The text exchange on a large ledger: the export of 100,000 transactions,
// the import of that file into an empty data file (preview and import), and
// raw SQLite inserts of the same rows in one transaction, with the ratio.
// Then the time and peak memory of reading a file just under the import
// limit, and of refusing one of 1 GB.

#include "BenchLedger.h"
#include "PeakMemory.h"
#include "app/App.h"
#include "exchange/ImportFileMessage.h"
#include "exchange/TextDecoding.h"
#include "exchange/wImporta.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>

namespace {

// The same rows, read whole beforehand, inserted through the C API alone:
// one prepared statement, one transaction.
double rawInsertMs(const QString& from, const QString& to)
{
    auto source = openBenchFile(from);
    const auto rows = source->SQLSelect(QStringLiteral("SELECT conta_nome, conta, contato, data, entrada, saida, "
                                                       "conciliado, comentarios FROM Movimento ORDER BY id"));
    std::vector<std::array<QByteArray, 8>> texts;
    for (; !rows->Eof(); rows->MoveNext()) {
        std::array<QByteArray, 8> row;
        for (int c = 0; c < 8; ++c)
            row[c] = rows->IdxField(c + 1).StringValue().toUtf8();
        texts.push_back(row);
    }
    newBenchFile(to);
    sqlite3* db = openRaw(to, SQLITE_OPEN_READWRITE);
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

// The export, repeated to a file as large as the import takes, and a file of 1 GB (sparse).
void measurePeaks(const BenchHome& home, const QString& exported)
{
    QFile source(exported);
    if (!source.open(QIODevice::ReadOnly))
        return;
    const QByteArray all = source.readAll();
    const QByteArray rows = all.mid(all.indexOf('\n') + 1); // without the header
    const QString largest = home.file(QStringLiteral("largest.txt"));
    QFile file(largest);
    if (!file.open(QIODevice::WriteOnly) || rows.isEmpty())
        return;
    for (qint64 written = 0; written + rows.size() < kImportFileLimit * 97 / 100; written += rows.size())
        if (file.write(rows) != rows.size())
            return;
    file.close();
    const QString huge = home.file(QStringLiteral("huge.txt"));
    QFile sparse(huge);
    if (!sparse.open(QIODevice::WriteOnly) || !sparse.resize(qint64(1) << 30))
        return;
    sparse.close();
    printPeak("text file just under the limit", largest, 5);
    printPeak("text file of 1 GB", huge, 0, 64);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && qstrcmp(argv[1], kPeakOption) == 0) {
        QCoreApplication app(argc, argv);
        // The reading of App::ImportaDados: the lines it keeps for the preview and the import.
        return printPeakOf([&] {
            QStringList lines;
            const ImportFileProblem problem = ReadImportFile(QString::fromLocal8Bit(argv[2]), lines);
            return problem.ok() ? QStringLiteral("%1 lines").arg(lines.size())
                                : ImportFileMessage(problem, QString::fromLocal8Bit(argv[2])).replace('\n', ' ');
        });
    }
    const BenchHome home;
    QApplication app(argc, argv);
    BenchSeams scripted;
    const QString source = home.file(QStringLiteral("source.rbd"));
    if (!generateBenchFile(source))
        return 1;
    App::CashDB = openBenchFile(source);
    scripted.path = home.file(QStringLiteral("Tovira Export.txt"));
    double exportCpu = 0, previewCpu = 0, importCpu = 0;
    const double exportMs = millisecondsOf([] { App::ExportaDados(); }, 1, false, &exportCpu);
    App::CashDB = newBenchFile(home.file(QStringLiteral("imported.rbd")));
    const double previewMs = millisecondsOf([] { App::ImportaDados(); }, 1, false, &previewCpu);
    const double importMs = millisecondsOf([] { wImporta::instance().ImportaDados2(); }, 1, false, &importCpu);
    const auto count = App::CashDB->SQLSelect(QStringLiteral("SELECT count(*) FROM Movimento"));
    const double rawMs = rawInsertMs(source, home.file(QStringLiteral("raw.rbd")));

    std::printf("export of 100,000 transactions: %.0f ms (processor %.0f ms, %.1f MB)\n", exportMs, exportCpu,
                QFileInfo(scripted.path).size() / 1e6);
    std::printf("import of that file into an empty data file: preview %.0f ms, import %.0f ms (processor %.0f ms), "
                "%lld rows stored\n",
                previewMs, importMs, previewCpu + importCpu, count ? count->IdxField(1).IntegerValue() : -1);
    std::printf("raw SQLite inserts of the same rows in one transaction: %.0f ms\n", rawMs);
    std::printf("import (preview + import) / raw inserts: %.1f\n", (previewMs + importMs) / rawMs);
    std::printf("messages: %s\n", qPrintable(scripted.shown.join(QStringLiteral(" | "))));
    App::CashDB.reset();
    measurePeaks(home, scripted.path);
    return 0;
}
