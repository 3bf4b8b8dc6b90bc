#pragma once
// Decoded card thumbnails, kept in memory so the strip decodes each once.
// Thread-safe. Thumbnails are keyed by card id and byte length, so a new thumbnail of the
// same card is decoded afresh; bytes that do not decode are not cached and are retried.

#include "core/ClipItem.h"

#include <QCache>
#include <QImage>
#include <QMutex>

#include <optional>

class ImageCache
{
public:
    // `budgetBytes` bounds the decoded thumbnails; the least recently used go first.
    explicit ImageCache(qint64 budgetBytes = 128LL * 1024 * 1024);

    std::optional<QImage> thumbnail(const ClipItem &item);

    static QString thumbnailKey(const ClipItem &item);

private:
    QMutex m_mutex;
    QCache<QString, QImage> m_thumbs;
};
