#pragma once
// Decoded card thumbnails, kept in memory so the strip decodes each once.
// Thread-safe. Thumbnails are keyed by card id and byte length, so a new thumbnail of the
// same card is decoded afresh; bytes that do not decode are not cached and are retried.

#include "core/ClipItem.h"

#include <QCache>
#include <QImage>
#include <QMutex>

#include <functional>
#include <optional>

class ImageCache
{
public:
    // Fetches a card's thumbnail bytes by id, for records that carry only their size.
    using Loader = std::function<std::optional<QByteArray>(const QString &itemID)>;

    // Room for the thumbnails of a few strips' worth of cards: the strip draws about ten at
    // a time, and Qt Quick keeps the pictures it was given besides.
    static constexpr qint64 kDefaultBudget = 24LL * 1024 * 1024;

    // `budgetBytes` bounds the decoded thumbnails; the least recently used go first.
    explicit ImageCache(Loader loader = {}, qint64 budgetBytes = kDefaultBudget);

    std::optional<QImage> thumbnail(const ClipItem &item);
    // The thumbnail's undecoded bytes: the record's own, else fetched.
    std::optional<QByteArray> bytes(const ClipItem &item) const;

    static QString thumbnailKey(const ClipItem &item);

private:
    Loader m_loader;
    QMutex m_mutex;
    QCache<QString, QImage> m_thumbs;
};
