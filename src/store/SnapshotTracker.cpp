#include "SnapshotTracker.h"

#include "ItemRows.h"
#include "Store.h"

#include "platform/Log.h"

#include <QHash>

#include <algorithm>

#include <sqlite3.h>

namespace {

// A temporary schema lives only on this connection and never reaches the file. Deletions
// cascading from a tab are noted before they happen, as a cascade need not fire triggers.
const char *const kNotes = R"(
CREATE TEMP TABLE IF NOT EXISTS changed_items (id TEXT PRIMARY KEY) WITHOUT ROWID;
CREATE TEMP TABLE IF NOT EXISTS changed_tabs (id TEXT PRIMARY KEY) WITHOUT ROWID;
CREATE TEMP TRIGGER IF NOT EXISTS note_item_insert AFTER INSERT ON main.items BEGIN
    INSERT OR IGNORE INTO changed_items VALUES (new.id);
END;
CREATE TEMP TRIGGER IF NOT EXISTS note_item_update AFTER UPDATE ON main.items BEGIN
    INSERT OR IGNORE INTO changed_items VALUES (old.id);
    INSERT OR IGNORE INTO changed_items VALUES (new.id);
END;
CREATE TEMP TRIGGER IF NOT EXISTS note_item_delete BEFORE DELETE ON main.items BEGIN
    INSERT OR IGNORE INTO changed_items VALUES (old.id);
    INSERT OR IGNORE INTO changed_tabs SELECT board_id FROM main.board_items
        WHERE item_id = old.id;
END;
CREATE TEMP TRIGGER IF NOT EXISTS note_pin_insert AFTER INSERT ON main.board_items BEGIN
    INSERT OR IGNORE INTO changed_items VALUES (new.item_id);
    INSERT OR IGNORE INTO changed_tabs VALUES (new.board_id);
END;
CREATE TEMP TRIGGER IF NOT EXISTS note_pin_update AFTER UPDATE ON main.board_items BEGIN
    INSERT OR IGNORE INTO changed_items VALUES (old.item_id);
    INSERT OR IGNORE INTO changed_items VALUES (new.item_id);
    INSERT OR IGNORE INTO changed_tabs VALUES (old.board_id);
    INSERT OR IGNORE INTO changed_tabs VALUES (new.board_id);
END;
CREATE TEMP TRIGGER IF NOT EXISTS note_pin_delete BEFORE DELETE ON main.board_items BEGIN
    INSERT OR IGNORE INTO changed_items VALUES (old.item_id);
    INSERT OR IGNORE INTO changed_tabs VALUES (old.board_id);
END;
CREATE TEMP TRIGGER IF NOT EXISTS note_tab_delete BEFORE DELETE ON main.boards BEGIN
    INSERT OR IGNORE INTO changed_items SELECT item_id FROM main.board_items
        WHERE board_id = old.id;
    INSERT OR IGNORE INTO changed_tabs VALUES (old.id);
END;
)";

// Past this many changed cards one full read is cheaper than patching.
constexpr qsizetype kMaxPatched = 500;

// Newest first, as the history query orders them; a changed card goes before cards of the
// same time.
void insertByTime(QList<ClipItem> &history, const ClipItem &item)
{
    const auto at = std::lower_bound(
        history.begin(), history.end(), item.createdAt,
        [](const ClipItem &listed, double time) { return listed.createdAt > time; });
    history.insert(at, item);
}

// Every id a note table holds; a read that stops early must not pass for all of them.
QStringList notes(Connection &db, const char *sql)
{
    Statement st = db.prepare(sql);
    QStringList ids;
    int rc = SQLITE_ROW;
    while ((rc = st.step()) == SQLITE_ROW)
        ids << st.text(0);
    if (rc != SQLITE_DONE)
        throw StoreError::sql(db.errorMessage());
    return ids;
}

} // namespace

SnapshotTracker::SnapshotTracker(Store &store, Prepare prepare)
    : m_store(store)
    , m_prepare(std::move(prepare))
{
    m_store.db().exec(kNotes);
}

Snapshot SnapshotTracker::next(qint64 historyLimit)
{
    const qint64 version = dataVersion();
    bool patched = false;
    if (m_valid && historyLimit == m_limit && version == m_version && version >= 0) {
        try {
            patched = patch(historyLimit);
        } catch (const StoreError &e) {
            qCWarning(lcVaru, "Erro no banco: %s", qUtf8Printable(e.describe()));
        }
    }
    m_lastWasFull = !patched;
    if (!patched)
        m_last = full(historyLimit);
    forget();
    return m_last;
}

Snapshot SnapshotTracker::full(qint64 historyLimit)
{
    // A snapshot that could not be read whole is never patched: the next one reads again.
    bool complete = false;
    Snapshot snapshot = ItemRows::snapshot(m_store, historyLimit, &complete, m_prepare);
    m_limit = historyLimit;
    m_valid = complete;
    return snapshot;
}

bool SnapshotTracker::patch(qint64 historyLimit)
{
    Connection &db = m_store.db();
    const QStringList changedTabs = notes(db, "SELECT id FROM temp.changed_tabs");
    const QStringList changedIDs = notes(db, "SELECT id FROM temp.changed_items");
    if (changedIDs.size() > kMaxPatched)
        return false;

    QHash<QString, ClipItem> rows;
    if (!changedIDs.isEmpty()) {
        Statement st = db.prepare(QByteArray(ItemRows::kColumns) +
                                  "FROM items WHERE items.id IN (SELECT id FROM "
                                  "temp.changed_items)");
        bool complete = false;
        const QList<ClipItem> read = ItemRows::read(st, &complete, m_prepare);
        if (!complete)
            return false;
        for (const ClipItem &item : read)
            rows.insert(item.id, item);
    }
    const QSet<QString> changed(changedIDs.cbegin(), changedIDs.cend());

    Snapshot next;
    const qsizetype before = m_last.history.size();
    next.history.reserve(before + rows.size());
    for (const ClipItem &item : std::as_const(m_last.history)) {
        if (!changed.contains(item.id))
            next.history.append(item);
    }
    for (const ClipItem &item : std::as_const(rows)) {
        if (item.inHistory)
            insertByTime(next.history, item);
    }
    // A negative limit reads every history card, like the history query's LIMIT.
    if (historyLimit >= 0) {
        // A full list may have had cards beyond the limit that now move up: only a read
        // knows which.
        if (before >= historyLimit && next.history.size() < historyLimit)
            return false;
        if (next.history.size() > historyLimit)
            next.history.resize(historyLimit);
    }

    next.tabs = m_store.tabs();
    for (const UserTab &tab : std::as_const(next.tabs)) {
        const auto previous = m_last.tabItems.constFind(tab.id);
        if (previous == m_last.tabItems.cend() || changedTabs.contains(tab.id)) {
            bool complete = false;
            const QList<ClipItem> items = ItemRows::tab(db, tab.id, &complete, m_prepare);
            if (!complete)
                return false;
            next.tabItems.insert(tab.id, items);
            continue;
        }
        // The tab's list is the same cards in the same order; only their records changed.
        QList<ClipItem> items = *previous;
        for (ClipItem &item : items) {
            if (!changed.contains(item.id))
                continue;
            const auto row = rows.constFind(item.id);
            if (row == rows.cend())
                return false;
            item = *row;
        }
        next.tabItems.insert(tab.id, items);
    }
    m_last = std::move(next);
    return true;
}

void SnapshotTracker::forget()
{
    try {
        m_store.db().exec("DELETE FROM temp.changed_items; DELETE FROM temp.changed_tabs");
        m_version = dataVersion();
    } catch (const StoreError &e) {
        // Notes that stay make the next patch read more, never less.
        qCWarning(lcVaru, "Erro no banco: %s", qUtf8Printable(e.describe()));
        m_valid = false;
    }
}

qint64 SnapshotTracker::dataVersion()
{
    // Moves when another connection commits: a backup tool, or a second copy of the program.
    return m_store.db().scalarText("PRAGMA data_version").value_or(QString()).toLongLong();
}
