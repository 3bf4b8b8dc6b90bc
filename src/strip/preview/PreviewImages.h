#pragma once
// The preview panel's pictures under "image://varupreview/<kind>/<path>": full-resolution
// images fitted to the size asked for, PDF pages, file thumbnails, type icons and symbols.

#include <QCache>
#include <QImage>
#include <QMutex>
#include <QPdfDocument>
#include <QQuickImageProvider>

#include <memory>

class FileThumbnails;

// Pictures and pages are asked for from the views' loader threads, so decoding never holds up
// the panel; icons and symbols come on the main thread, where icon themes may be used.
class PreviewImages : public QQuickImageProvider
{
public:
    explicit PreviewImages(FileThumbnails &thumbnails);
    ~PreviewImages() override;

    // The card's small picture, shown at once while its full picture decodes.
    void setPlaceholder(const QByteArray &png);

    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;

    // An image file decoded to fit `bounds` (orientation applied), within the decoding budget;
    // null when it cannot or must not be decoded. Thread-safe.
    static QImage decodeFitted(const QString &path, const QSize &bounds);

private:
    QImage picture(const QString &path, const QSize &requested);
    QImage pdfPage(const QString &spec, const QSize &requested);

    FileThumbnails &m_thumbnails;
    QMutex m_mutex; // the caches and the placeholder
    QCache<QString, QImage> m_pictures;
    QByteArray m_placeholder;
    QMutex m_pdfMutex; // one document open at a time, rendered from one thread at a time
    std::unique_ptr<QPdfDocument> m_pdf;
    QString m_pdfPath;
};
