#pragma once
// One SQLite connection and the small statement operations the store is built from. Values
// are always bound, never pasted into statement text. Not thread-safe: the store uses it on
// its own thread only.

#include "StoreError.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

using SqlArgs = QList<std::optional<QString>>;

// A prepared statement, finalised when it goes out of scope.
class Statement
{
public:
    Statement(sqlite3 *db, sqlite3_stmt *stmt)
        : m_db(db)
        , m_stmt(stmt)
    {}
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&) = delete;
    Statement(const Statement &) = delete;
    ~Statement();

    sqlite3_stmt *handle() const { return m_stmt; }

    // Positions are 1-based. Texts and blobs are copied by the library at bind time.
    void bindText(int index, const std::optional<QString> &text);
    void bindInt64(int index, qint64 value);
    void bindDouble(int index, double value);
    // Absent data binds NULL; empty data binds a zero-length blob, not NULL.
    void bindBlob(int index, const std::optional<QByteArray> &data);
    void bindArgs(const SqlArgs &args);

    int step();         // the library's result code
    void stepOrThrow(); // a row or completion, else StoreError::sql with the connection's message
    void reset();

    QString text(int column) const; // NULL gives the empty string
    std::optional<QString> optionalText(int column) const;
    qint64 int64(int column) const;
    double real(int column) const;
    bool isNull(int column) const;
    // NULL gives none; a value of 0 bytes gives empty bytes; otherwise a copy.
    std::optional<QByteArray> blob(int column) const;
    int columnCount() const;

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt;
};

class Connection
{
public:
    // Opens (or creates) the file with the library's default open call.
    // Throws StoreError::open with the library's message.
    static std::unique_ptr<Connection> open(const QString &path);
    // Opens an existing file for reading only; it is never created or written.
    static std::unique_ptr<Connection> openReadOnly(const QString &path);
    ~Connection();

    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    sqlite3 *handle() const { return m_db; }
    QString errorMessage() const;
    int changes() const; // rows changed by the last statement

    // Runs a whole script; throws StoreError::sql with the library's text, or "erro".
    void exec(const QByteArray &sql);
    // Prepares one statement; throws StoreError::sql with the connection's message.
    Statement prepare(const QByteArray &sql);
    // Prepares, binds, steps once (a row or completion), finalises.
    void run(const QByteArray &sql, const SqlArgs &args = {});
    // Column 0 of the first row, or none (no row, NULL, or a failed step).
    std::optional<QString> scalarText(const QByteArray &sql, const SqlArgs &args = {});
    // Every row as texts (NULL as ""); a failing step just ends the list.
    QList<QStringList> rows(const QByteArray &sql);
    QStringList column(const QByteArray &sql);
    bool columnExists(const QString &table, const QString &column);

private:
    static std::unique_ptr<Connection> open(const QString &path, int flags);

    explicit Connection(sqlite3 *db)
        : m_db(db)
    {}
    sqlite3 *m_db;
};
