#include "platform/Database.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace {

QString shortestText(double v)
{
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

QVariant columnValue(sqlite3_stmt* stmt, int i)
{
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(stmt, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, i));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)),
                                          sqlite3_column_bytes(stmt, i)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt, i)),
                                   sqlite3_column_bytes(stmt, i)));
    default:
        return {};
    }
}

int bindValue(sqlite3_stmt* stmt, int index, const QVariant& v)
{
    if (v.isNull())
        return sqlite3_bind_null(stmt, index);
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return sqlite3_bind_int64(stmt, index, v.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(stmt, index, v.toDouble());
    case QMetaType::QDate:
        return sqlite3_bind_text(stmt, index, v.toDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8().constData(),
                                 -1, SQLITE_TRANSIENT);
    default: {
        const QByteArray text = v.toString().toUtf8();
        return sqlite3_bind_text(stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    }
}

// Owns one prepared statement.
struct Statement
{
    sqlite3_stmt* stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

} // namespace

QString DatabaseField::StringValue() const
{
    if (value_.isNull())
        return {};
    if (value_.typeId() == QMetaType::Double)
        return shortestText(value_.toDouble());
    return value_.toString();
}

double DatabaseField::DoubleValue() const
{
    if (value_.isNull())
        return 0;
    if (value_.typeId() == QMetaType::QString) {
        bool ok = false;
        const double d = value_.toString().trimmed().toDouble(&ok);
        return ok ? d : 0;
    }
    return value_.toDouble();
}

QDate DatabaseField::DateValue() const
{
    return QDate::fromString(StringValue().left(10), QStringLiteral("yyyy-MM-dd"));
}

RecordSet::RecordSet(QStringList columns, std::vector<QVariant> cells)
    : columns_(std::move(columns)), cells_(std::move(cells))
{
    rowCount_ = columns_.isEmpty() ? 0 : cells_.size() / columns_.size();
}

DatabaseField RecordSet::IdxField(int n) const
{
    if (pos_ >= rowCount_ || n < 1 || n > columns_.size())
        return DatabaseField();
    return DatabaseField(cells_[pos_ * columns_.size() + (n - 1)]);
}

int RowReader::FieldCount() const
{
    return sqlite3_column_count(stmt_);
}

DatabaseField RowReader::IdxField(int n) const
{
    if (n < 1 || n > sqlite3_column_count(stmt_))
        return DatabaseField();
    return DatabaseField(columnValue(stmt_, n - 1));
}

void DatabaseRecord::DateColumn(const QString& name, const QDate& value)
{
    set(name, value.toString(QStringLiteral("yyyy-MM-dd")));
}

void DatabaseRecord::set(const QString& name, QVariant value)
{
    for (auto& [column, v] : columns_) {
        if (column == name) {
            v = std::move(value);
            return;
        }
    }
    columns_.emplace_back(name, std::move(value));
}

SQLDatabase::~SQLDatabase()
{
    Close();
}

bool SQLDatabase::fail(int code, const QString& message)
{
    errorCode_ = code;
    errorMessage_ = message;
    return false;
}

bool SQLDatabase::failFromDb(int code)
{
    const char* msg = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
    return fail(code, QString::fromUtf8(msg));
}

bool SQLDatabase::succeed()
{
    errorCode_ = 0;
    errorMessage_.clear();
    return true;
}

bool SQLDatabase::open(int flags)
{
    Close();
    int rc = sqlite3_open_v2(file_.toUtf8().constData(), &db_, flags, nullptr);
    if (rc == SQLITE_OK) {
        // Opening is lazy: reading the schema is what shows a file that is not a database.
        rc = sqlite3_exec(db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        failFromDb(rc);
        sqlite3_close(db_);
        db_ = nullptr;
        return false;
    }
    return succeed();
}

bool SQLDatabase::CreateDatabaseFile()
{
    return open(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

bool SQLDatabase::Connect()
{
    if (!QFileInfo(file_).isFile()) {
        Close();
        return fail(SQLITE_CANTOPEN, QStringLiteral("unable to open database file"));
    }
    return open(SQLITE_OPEN_READWRITE);
}

void SQLDatabase::Close()
{
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

bool SQLDatabase::run(const QString& sql, const SqlParams& params, std::vector<QVariant>* cells, QStringList* columns,
                      const std::function<void(const RowReader&)>* onRow)
{
    if (observer_)
        observer_(sql);
    if (!db_)
        return fail(SQLITE_MISUSE, QStringLiteral("the database is not open"));
    const QByteArray text = sql.toUtf8();
    Statement st;
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(db_, text.constData(), int(text.size()), &st.stmt, &tail);
    if (rc != SQLITE_OK)
        return failFromDb(rc);
    if (!st.stmt)
        return fail(SQLITE_MISUSE, QStringLiteral("empty statement"));
    if (tail && QByteArray(tail).trimmed().size() > 0)
        return fail(SQLITE_MISUSE, QStringLiteral("only one statement may run at a time"));
    if (sqlite3_bind_parameter_count(st.stmt) != params.size())
        return fail(SQLITE_RANGE, QStringLiteral("wrong number of bound values"));
    for (int i = 0; i < params.size(); ++i) {
        rc = bindValue(st.stmt, i + 1, params[i]);
        if (rc != SQLITE_OK)
            return failFromDb(rc);
    }
    const int ncols = sqlite3_column_count(st.stmt);
    if (columns) {
        for (int i = 0; i < ncols; ++i)
            columns->append(QString::fromUtf8(sqlite3_column_name(st.stmt, i)));
    }
    const RowReader reader(st.stmt);
    while ((rc = sqlite3_step(st.stmt)) == SQLITE_ROW) {
        if (onRow)
            (*onRow)(reader);
        if (!cells)
            continue;
        for (int i = 0; i < ncols; ++i)
            cells->push_back(columnValue(st.stmt, i));
    }
    if (rc != SQLITE_DONE)
        return failFromDb(rc);
    return succeed();
}

bool SQLDatabase::SQLExecute(const QString& sql, const SqlParams& params)
{
    return run(sql, params, nullptr, nullptr);
}

bool SQLDatabase::SQLSelectEach(const QString& sql, const SqlParams& params,
                                const std::function<void(const RowReader&)>& onRow)
{
    return run(sql, params, nullptr, nullptr, &onRow);
}

std::unique_ptr<RecordSet> SQLDatabase::SQLSelect(const QString& sql, const SqlParams& params)
{
    std::vector<QVariant> cells;
    QStringList columns;
    if (!run(sql, params, &cells, &columns))
        return nullptr;
    return std::make_unique<RecordSet>(std::move(columns), std::move(cells));
}

bool SQLDatabase::InsertRecord(const QString& table, const DatabaseRecord& record)
{
    auto quoted = [](QString name) { return '"' + name.replace('"', QStringLiteral("\"\"")) + '"'; };
    QStringList names;
    QStringList marks;
    SqlParams values;
    for (const auto& [column, value] : record.columns()) {
        names << quoted(column);
        marks << QStringLiteral("?");
        values << value;
    }
    const QString sql = names.isEmpty()
                            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(table))
                            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(quoted(table), names.join(','), marks.join(','));
    return run(sql, values, nullptr, nullptr);
}

bool SQLDatabase::InTransaction() const
{
    return db_ && !sqlite3_get_autocommit(db_);
}

bool SQLDatabase::Commit()
{
    if (!db_)
        return fail(SQLITE_MISUSE, QStringLiteral("the database is not open"));
    if (!InTransaction())
        return succeed();
    return run(QStringLiteral("COMMIT"), {}, nullptr, nullptr);
}

qint64 SQLDatabase::LastRowId() const
{
    return db_ ? sqlite3_last_insert_rowid(db_) : 0;
}

Transaction::Transaction(SQLDatabase& db) : db_(db)
{
    nested_ = db_.InTransaction();
    active_ = db_.SQLExecute(nested_ ? QStringLiteral("SAVEPOINT nested") : QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction()
{
    if (active_ && db_.InTransaction()) {
        // Keep the error of the statement that failed: the caller reports it.
        const int code = db_.errorCode_;
        const QString message = db_.errorMessage_;
        sqlite3_exec(db_.db_, nested_ ? "ROLLBACK TO nested; RELEASE nested" : "ROLLBACK", nullptr, nullptr, nullptr);
        db_.errorCode_ = code;
        db_.errorMessage_ = message;
    }
}

bool Transaction::commit()
{
    if (!active_)
        return false;
    const bool ok = db_.SQLExecute(nested_ ? QStringLiteral("RELEASE nested") : QStringLiteral("COMMIT"));
    if (ok)
        active_ = false;
    return ok;
}
