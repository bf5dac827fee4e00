#pragma once

// The embedded database: one SQLite file reached through a small set of
// operations. Every value goes into SQL as a bound parameter; a query's rows
// are read whole when it runs, so no statement stays open while others write.

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

struct sqlite3;

using SqlParams = QVariantList;

class DatabaseField
{
public:
    explicit DatabaseField(QVariant value = {}) : value_(std::move(value)) {}

    // NULL reads as "" and 0.
    QString StringValue() const;
    double DoubleValue() const;
    qint64 IntegerValue() const;
    QDate DateValue() const;
    bool IsNull() const { return value_.isNull(); }
    const QVariant& Value() const { return value_; }

private:
    QVariant value_;
};

class RecordSet
{
public:
    // The fields of every row one after another, row by row.
    RecordSet(QStringList columns, std::vector<QVariant> cells);

    // True past the last row (EOF itself is a C macro).
    bool Eof() const { return pos_ >= rowCount_; }
    void MoveNext()
    {
        if (pos_ < rowCount_)
            ++pos_;
    }
    int RecordCount() const { return int(rowCount_); }
    int FieldCount() const { return int(columns_.size()); }
    // Fields are counted from 1 in the order of the select list.
    DatabaseField IdxField(int n) const;
    void Close() { pos_ = rowCount_; }

private:
    QStringList columns_;
    // One block for all the fields: a listing of many rows makes one
    // allocation here rather than one per row.
    std::vector<QVariant> cells_;
    std::size_t rowCount_ = 0;
    std::size_t pos_ = 0;
};

struct sqlite3_stmt;

// The row a query is reading, handed to SQLSelectEach's callback. Fields are
// counted from 1 and read as a RecordSet's are.
class RowReader
{
public:
    int FieldCount() const;
    DatabaseField IdxField(int n) const;

private:
    friend class SQLDatabase;
    explicit RowReader(sqlite3_stmt* stmt) : stmt_(stmt) {}
    sqlite3_stmt* stmt_;
};

class DatabaseRecord
{
public:
    void Column(const QString& name, const QString& value) { set(name, value); }
    void DoubleColumn(const QString& name, double value) { set(name, value); }
    void IntegerColumn(const QString& name, qint64 value) { set(name, value); }
    // Stored as text YYYY-MM-DD, the form every date filter of the program relies on.
    void DateColumn(const QString& name, const QDate& value);

    const std::vector<std::pair<QString, QVariant>>& columns() const { return columns_; }

private:
    void set(const QString& name, QVariant value);
    std::vector<std::pair<QString, QVariant>> columns_;
};

class SQLDatabase
{
public:
    SQLDatabase() = default;
    ~SQLDatabase();
    SQLDatabase(const SQLDatabase&) = delete;
    SQLDatabase& operator=(const SQLDatabase&) = delete;

    void setDatabaseFile(const QString& path) { file_ = path; }
    const QString& DatabaseFile() const { return file_; }

    // Creates the file (when missing) and opens it.
    bool CreateDatabaseFile();
    // Opens an existing file; refuses one that is not a database (code 26).
    // A file that cannot be written (no write permission on it, or a folder
    // that cannot take its journal) is opened for reading only.
    bool Connect();
    void Close();
    bool IsConnected() const { return db_ != nullptr; }
    // True when Connect found the file unwritable and opened it for reading only.
    bool IsReadOnly() const { return readOnly_; }

    // How long a statement waits for a lock that another program holds on
    // the file before it fails with SQLITE_BUSY; set anew by every open.
    static constexpr int BusyTimeoutMs = 5000;
    void setBusyTimeout(int ms);
    int BusyTimeout() const { return busyTimeoutMs_; }
    // The last operation failed because another connection holds the file.
    bool ErrorIsBusy() const;

    // SQLite's quick check of the whole file. False when the file is damaged:
    // the error code is then SQLITE_CORRUPT (11) and the message holds what the
    // check found, or the error of the check itself.
    bool QuickCheck();

    // Runs one statement that returns no rows.
    bool SQLExecute(const QString& sql, const SqlParams& params = {});
    // The rows of one query, or nullptr when the statement fails.
    std::unique_ptr<RecordSet> SQLSelect(const QString& sql, const SqlParams& params = {});
    // Hands each row to `onRow` as the query reads it, with no record set in
    // between: for listings of very many rows. The statement is open only
    // while this runs, and `onRow` must not use the database. False when the
    // statement fails, also part way (the rows already handed over are then
    // the caller's to drop).
    bool SQLSelectEach(const QString& sql, const SqlParams& params, const std::function<void(const RowReader&)>& onRow);
    bool InsertRecord(const QString& table, const DatabaseRecord& record);
    // Changes outside a transaction are durable as soon as they run; inside
    // one, Commit ends it.
    bool Commit();
    qint64 LastRowId() const;

    // The state of the last operation; reset by every success.
    bool Error() const { return errorCode_ != 0; }
    int ErrorCode() const { return errorCode_; }
    const QString& ErrorMessage() const { return errorMessage_; }

    bool InTransaction() const;

    // Called with the text of every statement the connection is asked to run,
    // before it runs (tests count statements with it).
    void setStatementObserver(std::function<void(const QString&)> observer) { observer_ = std::move(observer); }

private:
    int busyTimeoutMs_ = BusyTimeoutMs;
    friend class Transaction;
    bool open(int flags);
    bool fail(int code, const QString& message);
    bool failFromDb(int code);
    bool succeed();
    bool run(const QString& sql, const SqlParams& params, std::vector<QVariant>* cells, QStringList* columns,
             const std::function<void(const RowReader&)>* onRow = nullptr);

    // The statements run last, prepared, for their next run: a statement run
    // once per row of a long import is parsed once, not once a row.
    struct PreparedStatement
    {
        QByteArray sql;
        sqlite3_stmt* stmt = nullptr;
    };
    sqlite3_stmt* takePrepared(const QByteArray& sql);
    void keepPrepared(const QByteArray& sql, sqlite3_stmt* stmt);
    void dropPrepared();

    QString file_;
    sqlite3* db_ = nullptr;
    std::vector<PreparedStatement> prepared_;
    bool readOnly_ = false;
    int errorCode_ = 0;
    QString errorMessage_;
    std::function<void(const QString&)> observer_;
};

// Deletes a database file that no connection holds, with the journal that
// SQLite may have left beside it; true when neither is left.
bool RemoveDatabaseFile(const QString& path);

// A database transaction: BEGIN on construction, ROLLBACK on destruction
// unless commit() succeeded. Never throws. Inside another transaction it is a
// savepoint of that one: its commit keeps its changes for the outer one to
// commit, and its rollback undoes only its own.
class Transaction
{
public:
    explicit Transaction(SQLDatabase& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool active() const { return active_; }
    bool commit();

private:
    SQLDatabase& db_;
    bool active_ = false;
    bool nested_ = false;
};
