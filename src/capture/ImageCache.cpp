#include "ImageCache.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QMutexLocker>

ImageCache::ImageCache(qint64 budgetBytes)
    : m_thumbs(budgetBytes / 1024) // costs are counted in KiB
{}

QString ImageCache::thumbnailKey(const ClipItem &item)
{
    return item.id + QLatin1Char('-') +
           QString::number(item.thumbnail ? item.thumbnail->size() : 0);
}

std::optional<QImage> ImageCache::thumbnail(const ClipItem &item)
{
    if (!item.thumbnail)
        return std::nullopt;
    const QString key = thumbnailKey(item);
    {
        QMutexLocker lock(&m_mutex);
        if (const QImage *cached = m_thumbs.object(key))
            return *cached;
    }
    QImage image;
    if (!image.loadFromData(*item.thumbnail))
        return std::nullopt;
    QMutexLocker lock(&m_mutex);
    m_thumbs.insert(key, new QImage(image), std::max<qsizetype>(1, image.sizeInBytes() / 1024));
    return image;
}

QIcon ImageCache::fileIcon(const QString &path)
{
    QMutexLocker lock(&m_mutex);
    if (const auto it = m_icons.constFind(path); it != m_icons.constEnd())
        return *it;
    static const QMimeDatabase db;
    const QMimeType mime = db.mimeTypeForFile(path);
    QIcon icon = QIcon::fromTheme(mime.iconName());
    if (icon.isNull())
        icon = QIcon::fromTheme(mime.genericIconName());
    if (icon.isNull())
        icon = QIcon::fromTheme(QFileInfo(path).isDir() ? QStringLiteral("folder")
                                                        : QStringLiteral("text-x-generic"));
    if (icon.isNull()) {
        // No icon theme at all: a plain sheet is still an image.
        QImage sheet(64, 64, QImage::Format_ARGB32_Premultiplied);
        sheet.fill(QColor(0xEE, 0xEE, 0xEE));
        icon = QIcon(QPixmap::fromImage(sheet));
    }
    m_icons.insert(path, icon);
    return icon;
}
