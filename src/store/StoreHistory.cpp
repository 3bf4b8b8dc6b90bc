// Recording captures and keeping the history within its limits: dedupe by checksum, the
// count and age limits, the purge of cards that belong nowhere, and the history commands.

#include "Store.h"

#include "platform/Log.h"

#include <QTimer>
#include <QUuid>

namespace {

const char *const kPurge =
    "DELETE FROM items WHERE in_history = 0 AND id NOT IN (SELECT item_id FROM board_items)";

} // namespace

QString Store::newID()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

bool Store::refresh(const CapturedClip &clip, double now)
{
    Statement update = m_db->prepare("UPDATE items SET created_at = ?, in_history = 1, "
                                     "source_bundle = ?, source_name = ? WHERE checksum = ?");
    update.bindDouble(1, now);
    update.bindText(2, clip.sourceAppID);
    update.bindText(3, clip.sourceName);
    update.bindText(4, clip.checksum);
    update.stepOrThrow();
    return m_db->changes() >= 1;
}

void Store::upsert(const CapturedClip &clip, const std::optional<QByteArray> &thumbnail, double now)
{
    // Known content keeps its title, tabs, custom title and representations.
    if (refresh(clip, now))
        return;

    Connection &db = *m_db;
    transaction([&] {
        const QString id = newID();
        Statement insert =
            db.prepare("INSERT INTO items (id, created_at, kind, title, checksum, source_bundle, "
                       "source_name, total_bytes, thumbnail, in_history)\n"
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 1)");
        insert.bindText(1, id);
        insert.bindDouble(2, now);
        insert.bindText(3, ClipKinds::rawName(clip.kind));
        insert.bindText(4, clip.title);
        insert.bindText(5, clip.checksum);
        insert.bindText(6, clip.sourceAppID);
        insert.bindText(7, clip.sourceName);
        insert.bindInt64(8, clip.totalBytes);
        insert.bindBlob(9, thumbnail);
        insert.stepOrThrow();
        insertReps(clip.reps, id);
    });
}

void Store::insertReps(const QList<Representation> &reps, const QString &itemID)
{
    Statement insert =
        m_db->prepare("INSERT INTO representations (item_id, idx, uti, data) VALUES (?, ?, ?, ?)");
    for (const Representation &rep : reps) {
        insert.reset();
        insert.bindText(1, itemID);
        insert.bindInt64(2, rep.index);
        insert.bindText(3, rep.type);
        insert.bindBlob(4, rep.data);
        insert.stepOrThrow();
    }
}

bool Store::purge()
{
    m_db->run(kPurge);
    if (m_db->changes() < 1)
        return false;
    m_db->exec("PRAGMA incremental_vacuum");
    return true;
}

void Store::scrubLog()
{
    // secure_delete zeroes the freed pages, but the write-ahead log still holds the frames
    // written before the deletion; a truncating checkpoint drops them.
    m_db->exec("PRAGMA wal_checkpoint(TRUNCATE)");
}

void Store::transaction(const std::function<void()> &work)
{
    // The write lock is taken at once, where waiting for another process can still help: a
    // read turned into a write later fails at once if someone else wrote meanwhile.
    m_db->exec("BEGIN IMMEDIATE");
    try {
        work();
        m_db->exec("COMMIT");
    } catch (...) {
        try {
            m_db->exec("ROLLBACK");
        } catch (const StoreError &) {
            // The first error is the one worth reporting.
        }
        throw;
    }
}

void Store::deleting(const std::function<void()> &work)
{
    try {
        work();
    } catch (...) {
        // What was deleted before the failure must not linger either.
        try {
            scrubLog();
        } catch (const StoreError &) {
        }
        throw;
    }
    scrubLog();
}

void Store::prune(qint64 keeping)
{
    // A negative limit is no limit at all.
    if (keeping < 0)
        return;
    // The cards past the newest `keeping`, found in the history index alone: comparing every
    // history card's id against the ids of the ones to keep reads each row from the table and
    // cost ~16 ms at 10,000 cards on every capture.
    // One transaction, so that no reader sees cards out of the history but not yet purged.
    bool removed = false;
    transaction([&] {
        Statement update = m_db->prepare(
            "UPDATE items SET in_history = 0 WHERE in_history = 1 AND rowid IN\n"
            "    (SELECT rowid FROM items WHERE in_history = 1 ORDER BY created_at DESC "
            "LIMIT -1 OFFSET ?)");
        update.bindInt64(1, keeping);
        update.stepOrThrow();
        if (m_db->changes() >= 1)
            removed = purge();
    });
    if (removed)
        scrubAfterLimits();
}

void Store::scrubAfterLimits()
{
    // The card is gone whatever happens here; a log that could not be scrubbed now is
    // scrubbed by the next deletion.
    const auto scrub = [this] {
        try {
            scrubLog();
        } catch (const StoreError &e) {
            qCWarning(lcVaru, "Erro no banco: %s", qUtf8Printable(e.describe()));
        }
    };
    if (!onQueue()) {
        scrub();
        return;
    }
    // At the history limit every capture prunes one card: one checkpoint per burst of
    // captures, shortly after, instead of a synced checkpoint inside each of them.
    if (m_limitScrubPending)
        return;
    m_limitScrubPending = true;
    QTimer::singleShot(kLimitScrubDelayMs, m_context, [this, scrub] {
        m_limitScrubPending = false;
        scrub();
    });
}

qint64 Store::expire(qint64 olderThanDays, double now)
{
    if (olderThanDays < 1)
        return 0;
    const double cutoff = now - double(olderThanDays) * 86400.0;
    qint64 left = 0;
    bool removed = false;
    transaction([&] {
        Statement update = m_db->prepare(
            "UPDATE items SET in_history = 0 WHERE in_history = 1 AND created_at < ?");
        update.bindDouble(1, cutoff);
        update.stepOrThrow();
        left = m_db->changes();
        if (left >= 1)
            removed = purge();
    });
    if (removed)
        scrubAfterLimits();
    return left;
}

void Store::touch(const QStringList &ids, double now)
{
    Statement update =
        m_db->prepare("UPDATE items SET created_at = ? WHERE id = ? AND in_history = 1");
    for (const QString &id : ids) {
        update.reset();
        update.bindDouble(1, now);
        update.bindText(2, id);
        update.stepOrThrow();
    }
}

void Store::removeFromHistory(const QStringList &ids)
{
    deleting([&] {
        for (const QString &id : ids) {
            m_db->run("UPDATE items SET in_history = 0 WHERE id = ?", {id});
            purge();
        }
    });
}

void Store::removeFromTab(const QString &tabID, const QStringList &ids)
{
    deleting([&] {
        for (const QString &id : ids) {
            m_db->run("DELETE FROM board_items WHERE board_id = ? AND item_id = ?", {tabID, id});
            purge();
        }
    });
}

void Store::clearHistory()
{
    deleting([&] {
        m_db->exec("UPDATE items SET in_history = 0");
        purge();
    });
}
