#pragma once

// Helpers shared by the tests.

#include "QtPrinters.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <memory>

class QComboBox;
class SQLDatabase;

namespace testsupport {

// A path for a new file in a fresh temporary folder that lives as long as the test executable.
QString tempPath(const QString& name);

// A fresh data file (in such a folder) with the program's tables, open.
std::unique_ptr<SQLDatabase> newDatabase();

// Runs SQL through the sqlite3 shell semantics of our own connection; fails the test on error.
void exec(SQLDatabase& db, const QString& sql);

// Every row of a query, each column as text ("NULL" for a NULL); fails the test when the query does.
QList<QStringList> rows(SQLDatabase& db, const QString& sql, const QVariantList& params = {});
// The first column of every row of a query, as text ("NULL" for a NULL).
QStringList column(SQLDatabase& db, const QString& sql, const QVariantList& params = {});

// A trigger that makes every `when` ("INSERT", "UPDATE" or "DELETE") on
// `table` fail with `message`, as a full disk or a locked file would. It is
// named fail_<when>_<table>, for a test that drops it again.
void failOn(SQLDatabase& db, const QString& when, const QString& table, const QString& message);

// Another program holding the data file: a second connection keeps it
// locked (BEGIN EXCLUSIVE) for the life of the object, so that every read and
// write of `db` fails with SQLITE_BUSY. Meanwhile `db` gives up at once
// rather than after its busy time-out.
class FileHeldElsewhere
{
  public:
    explicit FileHeldElsewhere(SQLDatabase& db);
    ~FileHeldElsewhere();
    FileHeldElsewhere(const FileHeldElsewhere&) = delete;
    FileHeldElsewhere& operator=(const FileHeldElsewhere&) = delete;

  private:
    SQLDatabase& db_;
    std::unique_ptr<SQLDatabase> other_;
};

// Writes the bytes as the whole file, making its folder; reads a file whole
// ("<unreadable>" when it cannot be read).
void writeFile(const QString& path, const QByteArray& bytes = {});
QByteArray readFile(const QString& path);
// A new file of these bytes under tempPath(name); its path.
QString newFile(const QByteArray& bytes, const QString& name = QStringLiteral("file.txt"));

// Grabs the widget (shown offscreen), saves it as <name>.png in the build
// folder's screenshots directory for review, and returns the image.
QImage saveImage(const QImage& image, const QString& name);
inline QImage screenshot(QWidget& widget, const QString& name)
{
    return saveImage(widget.grab().toImage(), name);
}

// Whether the pop-up, closed, shows `text` whole: its style's text field is
// wide and high enough for it in the pop-up's font.
bool showsWhole(const QComboBox& popup, const QString& text);
// The pop-up's rows, each shown closed, stacked into one picture.
QImage eachRowShown(QComboBox& popup);

} // namespace testsupport
