#include "StoreReader.h"

#include <QMutexLocker>

#include <sqlite3.h>

namespace {

// A reader is refused only in the moments the log is being reset or recovered; waiting
// that long beats failing a paste.
constexpr int kBusyTimeoutMs = 1000;

} // namespace

std::unique_ptr<StoreReader> StoreReader::open(const QString &path)
{
    std::unique_ptr<Connection> db = Connection::openReadOnly(path);
    sqlite3_busy_timeout(db->handle(), kBusyTimeoutMs);
    return std::unique_ptr<StoreReader>(new StoreReader(std::move(db)));
}

QList<Representation> StoreReader::representations(const QString &itemID)
{
    QMutexLocker lock(&m_mutex);
    return representations(*m_db, itemID);
}

std::optional<QByteArray> StoreReader::thumbnail(const QString &itemID)
{
    QMutexLocker lock(&m_mutex);
    return thumbnail(*m_db, itemID);
}

std::optional<QByteArray> StoreReader::thumbnail(Connection &db, const QString &itemID)
{
    Statement st = db.prepare("SELECT thumbnail FROM items WHERE id = ?");
    st.bindText(1, itemID);
    const int rc = st.step();
    if (rc == SQLITE_DONE)
        return std::nullopt;
    if (rc != SQLITE_ROW)
        throw StoreError::sql(db.errorMessage());
    return st.blob(0);
}

QList<Representation> StoreReader::representations(Connection &db, const QString &itemID)
{
    // The statement is finalised before returning, so no read stays open between calls to
    // hold back the writer's checkpoints.
    Statement st =
        db.prepare("SELECT idx, uti, data FROM representations WHERE item_id = ? ORDER BY rowid");
    st.bindText(1, itemID);
    QList<Representation> reps;
    int rc = SQLITE_ROW;
    while ((rc = st.step()) == SQLITE_ROW)
        reps.append(Representation{st.int64(0), st.text(1), st.blob(2).value_or(QByteArray())});
    // Part of a card must not pass for all of it: a paste would write the clipboard short.
    if (rc != SQLITE_DONE)
        throw StoreError::sql(db.errorMessage());
    return reps;
}
