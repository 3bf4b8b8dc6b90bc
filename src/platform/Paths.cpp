#include "Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>

namespace Paths {

bool makePrivateDir(const QString &path)
{
    QFileInfo info(path);
    if (info.isDir())
        return true;
    const QString parent = info.absolutePath();
    if (!QDir().mkpath(parent))
        return false;
    // mkdir with the final mode so the folder is never readable by others, not even briefly.
    if (::mkdir(QFile::encodeName(info.absoluteFilePath()).constData(), 0700) == 0)
        return true;
    return QFileInfo(path).isDir();
}

QString support()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString dir = base + QStringLiteral("/Varu");
    makePrivateDir(dir);
    return dir;
}

QString caches(const QString &sub)
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    QString dir = base + QStringLiteral("/Varu");
    makePrivateDir(dir);
    if (!sub.isEmpty()) {
        dir += QLatin1Char('/') + sub;
        makePrivateDir(dir);
    }
    return dir;
}

} // namespace Paths
