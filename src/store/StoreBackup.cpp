// Backup files: a compacted copy of the database (or of one tab), written beside the target
// and renamed over it once complete. Importing is in StoreImport.cpp.

#include "Store.h"

#include <QFileInfo>
#include <QTemporaryFile>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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
