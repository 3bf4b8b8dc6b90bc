#include "ImageCache.h"

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
