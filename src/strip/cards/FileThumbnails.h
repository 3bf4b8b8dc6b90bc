#pragma once
// Live previews of the files on file cards: the desktop's shared thumbnail cache, else pictures
// made here for images, PDF documents and text, kept by path and modification time.

#include <QCache>
#include <QImage>
#include <QMutex>
#include <QSize>
#include <QString>

#include <optional>

// Thread-safe: previews are made on worker threads.
class FileThumbnails
{
public:
    // The card's preview area, 220 × 140 points at a backing scale of 2. Pictures are fitted
    // into its longer side either way, so a portrait photo is as sharp as a landscape one.
    static constexpr QSize kMaxSize{440, 280};

    explicit FileThumbnails(QString cacheHome = defaultCacheHome());

    // The path, "|" and its modification time in seconds since 1970, written as the shortest
    // text that reads back to the same number (0 when the file cannot be read).
    static QString key(const QString &path);
    // The path a key was made from.
    static QString pathOf(const QString &key) { return key.section(u'|', 0, -2); }

    // The cached preview, else a new one (cached when one could be made); null when this
    // file gets no preview and keeps its icon.
    QImage thumbnail(const QString &path, const QString &key);

    static QString defaultCacheHome();

private:
    static double modificationTime(const QString &path);
    // Cached under the key, or null.
    QImage cached(const QString &key);
    // The shared cache's entry for a file, when it is still valid.
    std::optional<QImage> fromSharedCache(const QString &path) const;
    // A preview made from the file itself.
    static QImage make(const QString &path);

    QString m_cacheHome;
    QMutex m_mutex;
    QCache<QString, QImage> m_cache;
};
