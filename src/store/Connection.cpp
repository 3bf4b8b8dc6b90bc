#include "Connection.h"

#include <QFile>

#include <sqlite3.h>

Statement::Statement(Statement &&other) noexcept
    : m_db(other.m_db)
    , m_stmt(other.m_stmt)
{
    other.m_stmt = nullptr;
}

Statement::~Statement()
{
    if (m_stmt)
        sqlite3_finalize(m_stmt);
}

void Statement::bindText(int index, const std::optional<QString> &text)
{
    if (!text) {
        sqlite3_bind_null(m_stmt, index);
        return;
    }
    const QByteArray utf8 = text->toUtf8();
    sqlite3_bind_text64(m_stmt, index, utf8.constData(), sqlite3_uint64(utf8.size()),
                        SQLITE_TRANSIENT, SQLITE_UTF8);
}

void Statement::bindInt64(int index, qint64 value)
{
    sqlite3_bind_int64(m_stmt, index, value);
}

void Statement::bindDouble(int index, double value)
{
    sqlite3_bind_double(m_stmt, index, value);
}

void Statement::bindBlob(int index, const std::optional<QByteArray> &data)
{
    if (!data) {
        sqlite3_bind_null(m_stmt, index);
        return;
    }
    if (data->isEmpty()) {
        sqlite3_bind_zeroblob(m_stmt, index, 0);
        return;
    }
    sqlite3_bind_blob64(m_stmt, index, data->constData(), sqlite3_uint64(data->size()),
                        SQLITE_TRANSIENT);
}

void Statement::bindArgs(const SqlArgs &args)
{
    for (qsizetype i = 0; i < args.size(); ++i)
        bindText(int(i) + 1, args.at(i));
}

int Statement::step()
{
    return sqlite3_step(m_stmt);
}

void Statement::stepOrThrow()
{
    const int rc = step();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw StoreError::sql(QString::fromUtf8(sqlite3_errmsg(m_db)));
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

QString Statement::text(int column) const
{
    return optionalText(column).value_or(QString());
}

std::optional<QString> Statement::optionalText(int column) const
{
    const auto *chars = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    if (!chars)
        return std::nullopt;
    return QString::fromUtf8(chars, sqlite3_column_bytes(m_stmt, column));
}

qint64 Statement::int64(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

double Statement::real(int column) const
{
    return sqlite3_column_double(m_stmt, column);
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

std::optional<QByteArray> Statement::blob(int column) const
{
    if (isNull(column))
        return std::nullopt;
    const void *bytes = sqlite3_column_blob(m_stmt, column);
    const int size = sqlite3_column_bytes(m_stmt, column);
    if (!bytes || size == 0)
        return QByteArray();
    return QByteArray(static_cast<const char *>(bytes), size);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

std::unique_ptr<Connection> Connection::open(const QString &path)
{
    // URI names are enabled so that a backup can be attached read-only ("?mode=ro").
    return open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI);
}

std::unique_ptr<Connection> Connection::openReadOnly(const QString &path)
{
    return open(path, SQLITE_OPEN_READONLY);
}

std::unique_ptr<Connection> Connection::open(const QString &path, int flags)
{
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message =
            db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(db);
        throw StoreError::open(message);
    }
    return std::unique_ptr<Connection>(new Connection(db));
}

Connection::~Connection()
{
    sqlite3_close_v2(m_db);
}

QString Connection::errorMessage() const
{
    return QString::fromUtf8(sqlite3_errmsg(m_db));
}

int Connection::changes() const
{
    return sqlite3_changes(m_db);
}

void Connection::exec(const QByteArray &sql)
{
    char *error = nullptr;
    const int rc = sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, &error);
    if (rc == SQLITE_OK)
        return;
    const QString message = error ? QString::fromUtf8(error) : QStringLiteral("erro");
    sqlite3_free(error);
    throw StoreError::sql(message);
}

Statement Connection::prepare(const QByteArray &sql)
{
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        throw StoreError::sql(errorMessage());
    }
    return Statement(m_db, stmt);
}

void Connection::run(const QByteArray &sql, const SqlArgs &args)
{
    Statement st = prepare(sql);
    st.bindArgs(args);
    st.stepOrThrow();
}

std::optional<QString> Connection::scalarText(const QByteArray &sql, const SqlArgs &args)
{
    Statement st = prepare(sql);
    st.bindArgs(args);
    if (st.step() != SQLITE_ROW)
        return std::nullopt;
    return st.optionalText(0);
}

QList<QStringList> Connection::rows(const QByteArray &sql)
{
    Statement st = prepare(sql);
    QList<QStringList> out;
    while (st.step() == SQLITE_ROW) {
        QStringList row;
        for (int c = 0; c < st.columnCount(); ++c)
            row << st.text(c);
        out << row;
    }
    return out;
}

QStringList Connection::column(const QByteArray &sql)
{
    QStringList out;
    for (const QStringList &row : rows(sql)) {
        if (!row.isEmpty())
            out << row.first();
    }
    return out;
}

bool Connection::columnExists(const QString &table, const QString &column)
{
    // The table name is bound like any value; an unknown table has no columns.
    try {
        return scalarText("SELECT 1 FROM pragma_table_info(?) WHERE name = ?", {table, column})
            .has_value();
    } catch (const StoreError &) {
        return false;
    }
}
