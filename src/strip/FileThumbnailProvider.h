#pragma once
// Live file previews for QML under "image://varuthumbs/<key>": made on worker threads from
// FileThumbnails, fitted to the size the view asks for with rounded corners. A file without a
// preview yields a 1 × 1 transparent image, so the icon beneath it stays visible.

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
