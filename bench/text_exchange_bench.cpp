// The text exchange on a large ledger: the export of 100,000 transactions,
// the import of that file into an empty data file (preview and import), and
// raw SQLite inserts of the same rows in one transaction, with the ratio.
// Then the time and peak memory of importing files just under the import
// limit (the export repeated, blank lines, lines of a lone TAB), and of
// refusing one of 1 GB.

#include "BenchLedger.h"
#include "PeakMemory.h"
#include "app/App.h"
#include "exchange/ImportFile.h"
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

// A file of `first`, then `rows` repeated to just under the import limit; its path.
QString nearTheLimit(const BenchHome& home, const char* name, const QByteArray& first, const QByteArray& rows)
{
    const QString path = home.file(QString::fromLatin1(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || rows.isEmpty() || file.write(first) != first.size())
        return {};
    // Written in blocks of about a megabyte.
    const QByteArray block = rows.repeated(qMax<qsizetype>(1, (1 << 20) / rows.size()));
    for (qint64 written = first.size(); written + block.size() < kImportFileLimit * 97 / 100; written += block.size())
        if (file.write(block) != block.size())
            return {};
    return path;
}

// The export, repeated to a file as large as the import takes; one good line
// followed by blank lines, or by lines of a lone TAB, as large; and a file of
// 1 GB (sparse).
void measurePeaks(const BenchHome& home, const QString& exported)
{
    QFile source(exported);
    if (!source.open(QIODevice::ReadOnly))
        return;
    const QByteArray all = source.readAll();
    const QByteArray rows = all.mid(all.indexOf('\n') + 1); // without the header
    const QByteArray good = "Banco\tCasa\tAna\t05/03/26\t1\t0\n";
    const QString largest = nearTheLimit(home, "largest.txt", {}, rows);
    const QString blank = nearTheLimit(home, "blank.txt", good, "\n");
    const QString tabs = nearTheLimit(home, "tabs.txt", good, "\t\n");
    const QString huge = home.file(QStringLiteral("huge.txt"));
    QFile sparse(huge);
    if (largest.isEmpty() || blank.isEmpty() || tabs.isEmpty() || !sparse.open(QIODevice::WriteOnly) ||
        !sparse.resize(qint64(1) << 30))
        return;
    sparse.close();
    printPeak("text file just under the limit", largest, 4);
    printPeak("one line, then blank lines", blank, 4);
    printPeak("one line, then lines of a TAB", tabs, 4);
    printPeak("text file of 1 GB", huge, 0, 64);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && qstrcmp(argv[1], kPeakOption) == 0) {
        const BenchHome home;
        QApplication app(argc, argv);
        BenchSeams scripted;
        scripted.path = QString::fromLocal8Bit(argv[2]);
        App::CashDB = newBenchFile(home.file(QStringLiteral("imported.rbd")));
        // The import as the user runs it, into an empty data file: the preview, then Importa.
        return printPeakOf([&] {
            App::ImportaDados();
            if (wImporta::instance().isVisible())
                wImporta::instance().ImportaDados2();
            return scripted.shown.join(QStringLiteral(" | ")).replace('\n', ' ').left(160);
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
