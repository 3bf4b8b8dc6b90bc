#pragma once
// Decoded card thumbnails and file icons, kept in memory so the strip decodes each once.
// Thread-safe. Thumbnails are keyed by card id and byte length, so a new thumbnail of the
// same card is decoded afresh; bytes that do not decode are not cached and are retried.

#include "ClipItem.h"

#include <QCache>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QMutex>

#include <optional>

class ImageCache
{
public:
    // `budgetBytes` bounds the decoded thumbnails; the least recently used go first.
    explicit ImageCache(qint64 budgetBytes = 128LL * 1024 * 1024);

    std::optional<QImage> thumbnail(const ClipItem &item);
    // The icon of the file's type from the icon theme; always an icon, a generic one when
    // the theme has nothing better. Main thread only (icons are GUI objects).
    QIcon fileIcon(const QString &path);

    static QString thumbnailKey(const ClipItem &item);

private:
    QMutex m_mutex;
    QCache<QString, QImage> m_thumbs;
    QHash<QString, QIcon> m_icons;
};
