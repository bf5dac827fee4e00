#include "platform/Database.h"

#include <QFile>
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
        return QVariant(
            QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt, i)), sqlite3_column_bytes(stmt, i)));
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

// Whether the file's own permissions and its folder let it be written: the
// folder must take the journal that every change writes beside the file.
// Write bits that no one has mean the file is meant to be left as it is,
// even by a user whom the system would let write it.
bool fileTakesWrites(const QString& path)
{
    const QFileInfo file(path);
    const auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return (file.permissions() & anyWrite) && QFileInfo(file.absolutePath()).isWritable();
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

qint64 DatabaseField::IntegerValue() const
{
    if (value_.isNull())
        return 0;
    if (value_.typeId() == QMetaType::QString)
        return qint64(DoubleValue());
    return value_.toLongLong();
}

QDate DatabaseField::DateValue() const
{
    return QDate::fromString(StringValue().left(10), Qt::ISODate);
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
    if (rc == SQLITE_OK)
        sqlite3_busy_timeout(db_, busyTimeoutMs_);
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

bool SQLDatabase::ErrorIsBusy() const
{
    const int primary = ErrorCode() & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

void SQLDatabase::setBusyTimeout(int ms)
{
    busyTimeoutMs_ = ms;
    if (db_)
        sqlite3_busy_timeout(db_, ms);
}

bool SQLDatabase::CreateDatabaseFile()
{
    return open(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

bool SQLDatabase::Connect()
{
    readOnly_ = false;
    if (!QFileInfo(file_).isFile()) {
        Close();
        return fail(SQLITE_CANTOPEN, QStringLiteral("unable to open database file"));
    }
    if (!open(SQLITE_OPEN_READWRITE))
        return false;
    if (sqlite3_db_readonly(db_, "main") != 1 && fileTakesWrites(file_))
        return true;
    // Opened for reading only, so that no statement can change the file.
    readOnly_ = true;
    return open(SQLITE_OPEN_READONLY);
}

bool SQLDatabase::QuickCheck()
{
    const auto rs = SQLSelect(QStringLiteral("PRAGMA quick_check"));
    if (!rs)
        return false;
    QStringList findings;
    for (; !rs->Eof(); rs->MoveNext())
        findings << rs->IdxField(1).StringValue();
    if (findings == QStringList{QStringLiteral("ok")})
        return true;
    return fail(SQLITE_CORRUPT, findings.join('\n'));
}

sqlite3_stmt* SQLDatabase::takePrepared(const QByteArray& sql)
{
    for (auto it = prepared_.begin(); it != prepared_.end(); ++it) {
        if (it->sql == sql) {
            sqlite3_stmt* stmt = it->stmt;
            prepared_.erase(it);
            return stmt;
        }
    }
    return nullptr;
}

void SQLDatabase::keepPrepared(const QByteArray& sql, sqlite3_stmt* stmt)
{
    constexpr std::size_t kept = 16;
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    if (prepared_.size() == kept) {
        sqlite3_finalize(prepared_.front().stmt);
        prepared_.erase(prepared_.begin());
    }
    prepared_.push_back({sql, stmt});
}

void SQLDatabase::dropPrepared()
{
    for (const PreparedStatement& p : prepared_)
        sqlite3_finalize(p.stmt);
    prepared_.clear();
}

void SQLDatabase::Close()
{
    dropPrepared();
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
    int rc = SQLITE_OK;
    st.stmt = takePrepared(text);
    if (!st.stmt) {
        const char* tail = nullptr;
        rc = sqlite3_prepare_v2(db_, text.constData(), int(text.size()), &st.stmt, &tail);
        if (rc != SQLITE_OK)
            return failFromDb(rc);
        if (!st.stmt)
            return fail(SQLITE_MISUSE, QStringLiteral("empty statement"));
        if (tail && QByteArray(tail).trimmed().size() > 0)
            return fail(SQLITE_MISUSE, QStringLiteral("only one statement may run at a time"));
    }
    if (sqlite3_bind_parameter_count(st.stmt) != params.size())
        return fail(SQLITE_RANGE, QStringLiteral("wrong number of bound values"));
    for (int i = 0; i < params.size(); ++i) {
        rc = bindValue(st.stmt, i + 1, params[i]);
        if (rc != SQLITE_OK)
            return failFromDb(rc);
    }
    // The first step comes before the columns are read: a kept statement is
    // prepared again there when its tables have changed, and "*" may then
    // stand for other columns.
    rc = sqlite3_step(st.stmt);
    const int ncols = sqlite3_column_count(st.stmt);
    if (columns) {
        for (int i = 0; i < ncols; ++i)
            columns->append(QString::fromUtf8(sqlite3_column_name(st.stmt, i)));
    }
    const RowReader reader(st.stmt);
    for (; rc == SQLITE_ROW; rc = sqlite3_step(st.stmt)) {
        if (onRow)
            (*onRow)(reader);
        if (!cells)
            continue;
        for (int i = 0; i < ncols; ++i)
            cells->push_back(columnValue(st.stmt, i));
    }
    if (rc != SQLITE_DONE)
        return failFromDb(rc);
    keepPrepared(text, std::exchange(st.stmt, nullptr));
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
    // Built in one text: a long import inserts one record per line.
    auto appendQuoted = [](QString& sql, const QString& name) {
        sql += QLatin1Char('"');
        for (const QChar c : name) {
            if (c == QLatin1Char('"'))
                sql += c;
            sql += c;
        }
        sql += QLatin1Char('"');
    };
    QString sql = QStringLiteral("INSERT INTO ");
    sql.reserve(160);
    appendQuoted(sql, table);
    if (record.columns().empty())
        return run(sql + QStringLiteral(" DEFAULT VALUES"), {}, nullptr, nullptr);
    SqlParams values;
    values.reserve(qsizetype(record.columns().size()));
    QChar separator = QLatin1Char('(');
    for (const auto& [column, value] : record.columns()) {
        sql += separator;
        appendQuoted(sql, column);
        separator = QLatin1Char(',');
        values << value;
    }
    sql += QStringLiteral(") VALUES (?");
    for (std::size_t i = 1; i < record.columns().size(); ++i)
        sql += QStringLiteral(",?");
    sql += QLatin1Char(')');
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

bool RemoveDatabaseFile(const QString& path)
{
    // The journal first: a journal left without its file would be played
    // back into the next file of that name.
    const QString journal = path + QStringLiteral("-journal");
    if (QFileInfo::exists(journal) && !QFile::remove(journal))
        return false;
    return !QFileInfo::exists(path) || QFile::remove(path);
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
