#pragma once

// What the benchmarks share: a fresh HOME, timing, the large ledger (20
// accounts, 100 categories and 100,000 transactions over twenty years, the
// same rows on every run), the C API runs they compare with, and seams that
// never wait for a user.

#include "platform/Database.h"
#include "platform/Seams.h"

#include <QDate>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <functional>
#include <initializer_list>
#include <memory>
#include <sqlite3.h>

// The median (or the best) time of `runs` runs of `work`, in milliseconds;
// the processor time of the last run goes to `cpuMs` (the machine may be busy).
double millisecondsOf(const std::function<void()>& work, int runs = 1, bool best = false, double* cpuMs = nullptr);

// A fresh HOME for the run, made before the application object, so that a
// benchmark never touches a real user's files.
class BenchHome
{
  public:
    BenchHome();
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    // Where the program looks for its data file; the folder is made.
    static QString dataFile();

  private:
    QTemporaryDir dir_;
};

QString benchAccountName(int i);
QString benchCategoryName(int i);

// A new data file at `path` with the program's tables and the large ledger,
// then `more` in the same transaction; says so on stderr when it fails.
bool generateBenchFile(const QString& path, const std::function<void(SQLDatabase&, QRandomGenerator&)>& more = {});
// A new data file with the program's tables alone, open.
std::unique_ptr<SQLDatabase> newBenchFile(const QString& path);
std::unique_ptr<SQLDatabase> openBenchFile(const QString& path);

// The C API alone: a connection, and one statement run with these texts bound,
// every column of every row read; the bytes read.
sqlite3* openRaw(const QString& path, int flags = SQLITE_OPEN_READONLY);
long rawRun(sqlite3* db, const char* sql, std::initializer_list<const char*> texts);

// Every file dialog answers `path`; messages and questions are kept (and
// answered yes); today is `today`.
class BenchSeams final : public FileDialogService,
                         public MessageService,
                         public ConfirmationService,
                         public ClockService
{
  public:
    BenchSeams();
    QString path;
    QStringList shown;
    QDate day = QDate::currentDate();
    QString openFile(const QString&, const QString&) override { return path; }
    QString saveFile(const QString&, const QString&, const QString&) override { return path; }
    void message(const QString& text) override { shown << text; }
    bool confirm(const QString& text, bool, const QString&) override { return shown << text, true; }
    QDate today() override { return day; }
};
