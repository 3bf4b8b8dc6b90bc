#include "Schema.h"

#include "Connection.h"

#include <sqlite3.h>

namespace Schema {

const char *const kCreateScript = R"(CREATE TABLE IF NOT EXISTS items (
    id TEXT PRIMARY KEY,
    created_at REAL NOT NULL,
    kind TEXT NOT NULL,
    title TEXT NOT NULL,
    checksum TEXT NOT NULL UNIQUE,
    source_bundle TEXT,
    source_name TEXT,
    total_bytes INTEGER NOT NULL,
    thumbnail BLOB,
    in_history INTEGER NOT NULL DEFAULT 1,
    custom_title TEXT
);
CREATE TABLE IF NOT EXISTS representations (
    item_id TEXT NOT NULL REFERENCES items(id) ON DELETE CASCADE,
    idx INTEGER NOT NULL,
    uti TEXT NOT NULL,
    data BLOB NOT NULL
);
CREATE INDEX IF NOT EXISTS reps_item ON representations(item_id);
CREATE TABLE IF NOT EXISTS boards (
    id TEXT PRIMARY KEY,
    name TEXT NOT NULL,
    color TEXT NOT NULL,
    position INTEGER NOT NULL,
    created_at REAL NOT NULL
);
CREATE TABLE IF NOT EXISTS board_items (
    board_id TEXT NOT NULL REFERENCES boards(id) ON DELETE CASCADE,
    item_id TEXT NOT NULL REFERENCES items(id) ON DELETE CASCADE,
    added_at REAL NOT NULL,
    PRIMARY KEY (board_id, item_id)
);
CREATE INDEX IF NOT EXISTS board_items_item ON board_items(item_id);)";

void prepare(Connection &db)
{
    // Before any table exists, so a new file is created in incremental auto-vacuum mode.
    db.exec("PRAGMA auto_vacuum = INCREMENTAL");
    db.exec("PRAGMA journal_mode = WAL");
    db.exec("PRAGMA foreign_keys = ON");
    // Deleted history may hold secrets: overwrite freed content instead of leaving it behind.
    db.exec("PRAGMA secure_delete = ON");
    // Backup files from other machines are attached to this connection: nothing in their
    // schema may run code, and no statement may deliberately corrupt a file.
    db.exec("PRAGMA trusted_schema = OFF");
    if (sqlite3_db_config(db.handle(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr) != SQLITE_OK)
        throw StoreError::sql(db.errorMessage());
    db.exec(kCreateScript);

    // Files of earlier versions: every old card counts as in the history, none has a title of
    // its own, and the old time index gives way to the history index.
    if (!db.columnExists(QStringLiteral("items"), QStringLiteral("in_history")))
        db.exec("ALTER TABLE items ADD COLUMN in_history INTEGER NOT NULL DEFAULT 1");
    if (!db.columnExists(QStringLiteral("items"), QStringLiteral("custom_title")))
        db.exec("ALTER TABLE items ADD COLUMN custom_title TEXT");
    db.exec("DROP INDEX IF EXISTS items_created");
    db.exec("CREATE INDEX IF NOT EXISTS items_history ON items(in_history, created_at DESC)");
}

} // namespace Schema
