#pragma once
// Reads a database file the way an outside tool would, straight through SQLite, so end-to-end
// tests check what is really on disk and not what the application believes.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

struct sqlite3;

class DbProbe
{
public:
    explicit DbProbe(const QString &path); // opens read-only
    ~DbProbe();
    DbProbe(const DbProbe &) = delete;
    DbProbe &operator=(const DbProbe &) = delete;

    bool isOpen() const { return m_db != nullptr; }
    // Every row as variants (NULL invalid, blobs as QByteArray); empty on error.
    QList<QVariantList> query(const QString &sql, const QVariantList &args = {}) const;
    QVariant scalar(const QString &sql, const QVariantList &args = {}) const;
    QStringList columnsOf(const QString &table) const;

private:
    sqlite3 *m_db = nullptr;
};
