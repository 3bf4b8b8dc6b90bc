// Backup files: a compacted copy of the database (or of one tab), and the merge of such a
// file into the live database by content checksum and tab name.

#include "Store.h"

#include <QFileInfo>
#include <QTemporaryFile>
#include <QUrl>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A backup file is outside our control, so only well-formed cards come in: a text id and
// checksum and a numeric time (anything else would make a card that can neither be removed
// nor expire), in the history or in one of the file's tabs (any other card would be counted
// as new and never be seen).
const char *const kMerge =
    "INSERT OR IGNORE INTO items (id, created_at, kind, title, checksum, source_bundle, "
    "source_name,\n"
    "                             total_bytes, thumbnail, in_history, custom_title)\n"
    "SELECT id, created_at, kind, title, checksum, source_bundle, source_name,\n"
    "       total_bytes, thumbnail, in_history = 1, custom_title\n"
    "FROM src.items s WHERE NOT EXISTS (SELECT 1 FROM items m WHERE m.checksum = s.checksum)\n"
    "  AND typeof(s.id) = 'text' AND typeof(s.checksum) = 'text'\n"
    "  AND typeof(s.created_at) IN ('integer', 'real')\n"
    "  AND (s.in_history = 1 OR EXISTS (SELECT 1 FROM src.board_items b WHERE b.item_id = s.id));\n"
    "INSERT INTO representations (item_id, idx, uti, data)\n"
    "SELECT r.item_id, r.idx, r.uti, r.data FROM src.representations r\n"
    "WHERE r.item_id IN (SELECT id FROM items)\n"
    "  AND NOT EXISTS (SELECT 1 FROM representations x WHERE x.item_id = r.item_id);\n"
    "UPDATE items SET in_history = 1,\n"
    "    created_at = MAX(created_at, (SELECT MAX(s.created_at) FROM src.items s\n"
    "        WHERE s.checksum = items.checksum AND s.in_history = 1\n"
    "          AND typeof(s.created_at) IN ('integer', 'real')))\n"
    "WHERE in_history = 0 AND checksum IN (SELECT checksum FROM src.items WHERE in_history = 1\n"
    "    AND typeof(created_at) IN ('integer', 'real'));";

const char *const kJoinTab = "INSERT OR IGNORE INTO board_items (board_id, item_id, added_at)\n"
                               "SELECT ?, m.id, bi.added_at FROM src.board_items bi\n"
                               "JOIN src.items s ON s.id = bi.item_id\n"
                               "JOIN items m ON m.checksum = s.checksum\n"
                               "WHERE bi.board_id = ?";

const QStringList kBackupTables{QStringLiteral("items"), QStringLiteral("representations"),
                                QStringLiteral("boards"), QStringLiteral("board_items")};

QString notABackup()
{
    return QStringLiteral("Este arquivo não é um backup do Varu.");
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The copy must be on disk before it replaces the user's file.
void syncFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw StoreError::sql(systemError(errno));
    const int rc = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (rc != 0)
        throw StoreError::sql(systemError(error));
}

// Cuts a full copy down to one tab: its memberships, its cards (all outside the history)
// and their representations; then compacts it so no other content stays in free pages.
void cutDownToTab(const QString &copyPath, const QString &tabID)
{
    std::unique_ptr<Connection> copy;
    try {
        copy = Connection::open(copyPath);
    } catch (const StoreError &) {
        throw StoreError::open(QStringLiteral("cópia exportada"));
    }
    // A scratch file until it is renamed into place: no rollback journal, no syncing and no
    // zeroing of deleted rows, since the final VACUUM writes only what is left.
    copy->exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; PRAGMA secure_delete = OFF");
    copy->exec("PRAGMA foreign_keys = ON");
    // The id is bound rather than pasted into the script, whatever characters it holds.
    copy->run("DELETE FROM boards WHERE id <> ?", {tabID});
    copy->exec("DELETE FROM items WHERE id NOT IN (SELECT item_id FROM board_items);\n"
               "UPDATE items SET in_history = 0;\n"
               "VACUUM;");
}

// The backup is let go whatever happened; a failure to detach changes nothing for the caller.
void detach(Connection &db)
{
    try {
        db.exec("DETACH DATABASE src");
    } catch (const StoreError &) {
    }
}

// Removes a file unless it has been renamed away.
struct TemporaryPath
{
    QString path;
    ~TemporaryPath()
    {
        if (!path.isEmpty())
            QFile::remove(path);
    }
};

} // namespace

bool Store::isLiveFile(const QString &path) const
{
    const QFileInfo target(path);
    const QString dir = QFileInfo(target.absolutePath()).canonicalFilePath();
    if (dir.isEmpty())
        return false;
    const QString candidate = dir + QLatin1Char('/') + target.fileName();
    const QString live = QFileInfo(m_path).canonicalFilePath();
    for (const char *suffix : {"", "-wal", "-shm", "-journal"}) {
        if (candidate == live + QLatin1String(suffix))
            return true;
    }
    // Another name for the same file (a hard link) is the live database too.
    struct stat a
    {
    }, b{};
    return ::stat(QFile::encodeName(candidate).constData(), &a) == 0 &&
           ::stat(QFile::encodeName(live).constData(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

void Store::exportTo(const QString &path, const ExportScope &scope)
{
    // Replacing the live file would leave the connection writing to a deleted file.
    if (isLiveFile(path))
        throw StoreError::sql(
            QStringLiteral("Não é possível exportar por cima do banco de dados do Varu."));

    // The copy is written beside the target under a temporary name and only renamed over it
    // once complete, so a failed export never destroys an existing file.
    const QFileInfo target(path);
    TemporaryPath temporary;
    {
        QTemporaryFile file(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                            QStringLiteral(".XXXXXX"));
        file.setAutoRemove(false);
        if (!file.open())
            throw StoreError::sql(file.errorString());
        temporary.path = file.fileName();
    }

    {
        // VACUUM INTO accepts an existing empty file, which keeps the private mode.
        Statement vacuum = m_db->prepare("VACUUM INTO ?");
        vacuum.bindText(1, temporary.path);
        vacuum.stepOrThrow();
    }
    if (scope.tabID)
        cutDownToTab(temporary.path, *scope.tabID);
    syncFile(temporary.path);

    if (::rename(QFile::encodeName(temporary.path).constData(),
                 QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        throw StoreError::sql(systemError(errno));
    temporary.path.clear();
}

Store::ImportResult Store::importData(const QString &path)
{
    Connection &db = *m_db;
    {
        // Read-only: the file is never written, and a missing file is not created.
        const QString uri =
            QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
            QStringLiteral("?mode=ro");
        Statement attach = db.prepare("ATTACH DATABASE ? AS src");
        attach.bindText(1, uri);
        if (attach.step() != SQLITE_DONE)
            throw StoreError::sql(QStringLiteral("Não foi possível abrir o arquivo"));
    }

    ImportResult result;
    try {
        // Ordinary tables only, as SQLite parsed them: a virtual table runs a module's code on
        // every read, whatever text the file stores for it.
        const QStringList tables =
            db.column("SELECT name FROM pragma_table_list WHERE schema = 'src' AND type = 'table'");
        for (const QString &name : kBackupTables) {
            if (!tables.contains(name))
                throw StoreError::sql(notABackup());
        }

        transaction([&] {
            const auto countItems = [&] {
                return db.scalarText("SELECT COUNT(*) FROM items").value_or(QString()).toLongLong();
            };
            const qint64 before = countItems();
            db.exec(kMerge);
            result.items = countItems() - before;

            const QList<UserTab> local = tabs();
            Statement fileTabs =
                db.prepare("SELECT id, name, color FROM src.boards ORDER BY position, created_at");
            int rc = SQLITE_ROW;
            while ((rc = fileTabs.step()) == SQLITE_ROW) {
                const QString fileID = fileTabs.text(0);
                const QString name = fileTabs.text(1);
                const auto match = std::find_if(local.cbegin(), local.cend(), [&](const UserTab &b) {
                    return b.name.compare(name, Qt::CaseInsensitive) == 0;
                });
                QString targetID;
                if (match != local.cend()) {
                    targetID = match->id;
                } else {
                    // A missing colour gets the one every reader gives it.
                    targetID = createTab(
                        name, fileTabs.optionalText(2).value_or(UserTab::defaultColor()));
                    ++result.tabs;
                }
                db.run(kJoinTab, {targetID, fileID});
            }
            // A damaged file must not pass for a shorter one.
            if (rc != SQLITE_DONE)
                throw StoreError::sql(db.errorMessage());
        });
    } catch (...) {
        detach(db);
        throw;
    }
    detach(db);
    return result;
}
