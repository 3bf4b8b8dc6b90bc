// The reads behind every snapshot (history, tabs, each tab's cards) and the one read of a
// card's content. For lists only preparing fails (a failing step just ends the list); a
// card's content is read whole or not at all.

#include "Store.h"
#include "ItemRows.h"
#include "StoreReader.h"

#include "platform/Log.h"

#include <sqlite3.h>

namespace {

// Both card queries return the columns of ItemRows::kColumns.
const QByteArray kHistoryQuery =
    QByteArray(ItemRows::kColumns) +
    "FROM items WHERE items.in_history = 1 ORDER BY items.created_at DESC LIMIT ?";
const QByteArray kTabQuery =
    QByteArray(ItemRows::kColumns) +
    "FROM items JOIN board_items x ON x.item_id = items.id WHERE x.board_id = ? "
    "ORDER BY x.added_at DESC";

} // namespace

namespace ItemRows {

const char *const kColumns =
    "SELECT items.id, items.created_at, items.kind, items.title, items.source_bundle, "
    "items.source_name,\n"
    "       items.total_bytes, length(items.thumbnail), items.custom_title, items.in_history,\n"
    "       (SELECT group_concat(bi.board_id) FROM board_items bi WHERE bi.item_id = items.id)\n";

QList<ClipItem> read(Statement &st, bool *complete, const Prepare &prepare)
{
    QList<ClipItem> items;
    int rc = SQLITE_ROW;
    while ((rc = st.step()) == SQLITE_ROW) {
        ClipItem item;
        item.id = st.text(0);
        item.createdAt = st.real(1);
        // Kinds written by a newer version read as text; rows are never skipped.
        item.kind = ClipKinds::fromRaw(st.text(2)).value_or(ClipKind::Text);
        item.title = st.text(3);
        item.sourceAppID = st.optionalText(4);
        item.sourceName = st.optionalText(5);
        item.totalBytes = st.int64(6);
        if (!st.isNull(7))
            item.thumbnailBytes = st.int64(7);
        item.customTitle = st.optionalText(8);
        item.inHistory = st.int64(9) != 0;
        const QStringList tabIDs = st.text(10).split(QLatin1Char(','), Qt::SkipEmptyParts);
        item.tabIDs = QSet<QString>(tabIDs.cbegin(), tabIDs.cend());
        if (prepare)
            prepare(item);
        items.append(std::move(item));
    }
    if (complete)
        *complete = rc == SQLITE_DONE;
    return items;
}

QList<ClipItem> history(Connection &db, qint64 limit, bool *complete, const Prepare &prepare)
{
    Statement st = db.prepare(kHistoryQuery);
    st.bindInt64(1, limit);
    return read(st, complete, prepare);
}

QList<ClipItem> tab(Connection &db, const QString &tabID, bool *complete, const Prepare &prepare)
{
    Statement st = db.prepare(kTabQuery);
    st.bindText(1, tabID);
    return read(st, complete, prepare);
}

} // namespace ItemRows

QList<ClipItem> Store::history(qint64 limit, bool *complete)
{
    return ItemRows::history(*m_db, limit, complete, {});
}

QList<ClipItem> Store::tabItems(const QString &tabID, bool *complete)
{
    return ItemRows::tab(*m_db, tabID, complete, {});
}

QList<UserTab> Store::tabs()
{
    Statement st = m_db->prepare("SELECT id, name, color, position FROM boards ORDER BY position, "
                                 "created_at");
    QList<UserTab> tabs;
    while (st.step() == SQLITE_ROW)
        tabs.append(UserTab{st.text(0), st.text(1),
                            st.optionalText(2).value_or(UserTab::defaultColor()), st.int64(3)});
    return tabs;
}

QList<Representation> Store::representations(const QString &itemID)
{
    return StoreReader::representations(*m_db, itemID);
}

Snapshot Store::snapshot(qint64 historyLimit, bool *complete)
{
    return ItemRows::snapshot(*this, historyLimit, complete, {});
}

Snapshot ItemRows::snapshot(Store &store, qint64 historyLimit, bool *complete,
                            const Prepare &prepare)
{
    Connection &db = store.db();
    // A part that cannot be read is shown empty until the next reload; the error is logged
    // so that an empty strip has an explanation.
    Snapshot snapshot;
    bool whole = true;
    bool listed = true;
    try {
        snapshot.history = history(db, historyLimit, &listed, prepare);
        whole = whole && listed;
    } catch (const StoreError &e) {
        qCCritical(lcVaru, "Erro no banco: %s", qUtf8Printable(e.describe()));
        whole = false;
    }
    try {
        snapshot.tabs = store.tabs();
    } catch (const StoreError &e) {
        qCCritical(lcVaru, "Erro no banco: %s", qUtf8Printable(e.describe()));
        whole = false;
    }
    for (const UserTab &userTab : std::as_const(snapshot.tabs)) {
        try {
            snapshot.tabItems.insert(userTab.id, tab(db, userTab.id, &listed, prepare));
            whole = whole && listed;
        } catch (const StoreError &e) {
            qCCritical(lcVaru, "Erro no banco: %s", qUtf8Printable(e.describe()));
            snapshot.tabItems.insert(userTab.id, {});
            whole = false;
        }
    }
    if (complete)
        *complete = whole;
    return snapshot;
}
