#pragma once
// Live file previews for QML under "image://varuthumbs/<key>", made on worker threads and
// fitted to the size asked for; a file without one yields a transparent pixel.

#include <QQuickAsyncImageProvider>
#include <QThreadPool>

class FileThumbnails;

class FileThumbnailProvider : public QQuickAsyncImageProvider
{
public:
    explicit FileThumbnailProvider(FileThumbnails &thumbnails);
    ~FileThumbnailProvider() override;

    QQuickImageResponse *requestImageResponse(const QString &id,
                                              const QSize &requestedSize) override;

private:
    FileThumbnails &m_thumbnails;
    QThreadPool m_pool;
};
