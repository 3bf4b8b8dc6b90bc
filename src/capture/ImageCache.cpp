#include "ImageCache.h"

#include <QMutexLocker>

ImageCache::ImageCache(Loader loader, qint64 budgetBytes)
    : m_loader(std::move(loader))
    , m_thumbs(budgetBytes / 1024) // costs are counted in KiB
{}

QString ImageCache::thumbnailKey(const ClipItem &item)
{
    return item.id + QLatin1Char('-') + QString::number(item.thumbnailSize().value_or(0));
}

std::optional<QByteArray> ImageCache::bytes(const ClipItem &item) const
{
    if (item.thumbnail)
        return item.thumbnail;
    if (!item.thumbnailBytes || !m_loader)
        return std::nullopt;
    return m_loader(item.id);
}

std::optional<QImage> ImageCache::thumbnail(const ClipItem &item)
{
    if (!item.thumbnailSize())
        return std::nullopt;
    const QString key = thumbnailKey(item);
    {
        QMutexLocker lock(&m_mutex);
        if (const QImage *cached = m_thumbs.object(key))
            return *cached;
    }
    const std::optional<QByteArray> data = bytes(item);
    QImage image;
    if (!data || !image.loadFromData(*data))
        return std::nullopt;
    QMutexLocker lock(&m_mutex);
    m_thumbs.insert(key, new QImage(image), std::max<qsizetype>(1, image.sizeInBytes() / 1024));
    return image;
}
