// Tabs (create, rename, recolour, delete, pin a card) and card edits (custom title, new
// text), including the merge when an edit produces content another card already holds.

#include "Store.h"

#include "core/ClipboardTypes.h"
#include "core/TextCut.h"

QString Store::createTab(const QString &name, const QString &color, double now)
{
    const QString id = newID();
    const QString next = m_db->scalarText("SELECT COALESCE(MAX(position), -1) + 1 FROM boards")
                             .value_or(QStringLiteral("0"));
    bool ok = false;
    qint64 position = next.toLongLong(&ok);
    if (!ok)
        position = 0;

    Statement insert = m_db->prepare(
        "INSERT INTO boards (id, name, color, position, created_at) VALUES (?, ?, ?, ?, ?)");
    insert.bindText(1, id);
    insert.bindText(2, name);
    insert.bindText(3, color);
    insert.bindInt64(4, position);
    insert.bindDouble(5, now);
    insert.stepOrThrow();
    return id;
}

void Store::updateTab(const QString &id, const QString &name, const QString &color)
{
    m_db->run("UPDATE boards SET name = ?, color = ? WHERE id = ?", {name, color, id});
}

void Store::deleteTab(const QString &id)
{
    deleting([&] {
        m_db->run("DELETE FROM boards WHERE id = ?", {id});
        purge();
    });
}

void Store::add(const QString &itemID, const QString &tabID, double now)
{
    Statement insert = m_db->prepare(
        "INSERT OR REPLACE INTO board_items (board_id, item_id, added_at) VALUES (?, ?, ?)");
    insert.bindText(1, tabID);
    insert.bindText(2, itemID);
    insert.bindDouble(3, now);
    insert.stepOrThrow();
}

void Store::rename(const QString &id, const std::optional<QString> &name)
{
    std::optional<QString> title;
    if (name) {
        const QString trimmed = name->trimmed();
        if (!trimmed.isEmpty())
            title = trimmed;
    }
    m_db->run("UPDATE items SET custom_title = ? WHERE id = ?", {title, id});
}

void Store::updateText(const QString &id, const QString &text, ClipKind kind)
{
    const QByteArray data = text.toUtf8();
    const QList<Representation> reps{Representation{0, ClipboardTypes::plainText, data}};
    const QString checksum = Representation::checksum(reps);

    deleting([&] {
        transaction([&] {
            const std::optional<QString> other = m_db->scalarText(
                "SELECT id FROM items WHERE checksum = ? AND id <> ?", {checksum, id});
            if (other) {
                // The edited card takes over the other card's tabs and place in the history.
                m_db->run("INSERT OR IGNORE INTO board_items (board_id, item_id, added_at) "
                          "SELECT board_id, ?, added_at FROM board_items WHERE item_id = ?",
                          {id, *other});
                m_db->run("UPDATE items SET in_history = MAX(in_history, (SELECT in_history FROM "
                          "items WHERE id = ?)) WHERE id = ?",
                          {*other, id});
                m_db->run("DELETE FROM items WHERE id = ?", {*other});
            }
            m_db->run("DELETE FROM representations WHERE item_id = ?", {id});
            insertReps(reps, id);

            Statement update = m_db->prepare("UPDATE items SET title = ?, kind = ?, checksum = ?, "
                                             "total_bytes = ?, thumbnail = NULL WHERE id = ?");
            update.bindText(1, TextCut::leadingCharacters(text, TextCut::kMaxTitleLength));
            update.bindText(2, ClipKinds::rawName(kind));
            update.bindText(3, checksum);
            update.bindInt64(4, data.size());
            update.bindText(5, id);
            update.stepOrThrow();
        });
    });
}
