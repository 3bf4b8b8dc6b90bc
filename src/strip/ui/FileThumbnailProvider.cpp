#include "FileThumbnailProvider.h"

#include "strip/cards/CardFace.h"
#include "strip/cards/FileThumbnails.h"
#include "StripImages.h"

#include <QRunnable>

namespace {

class Response : public QQuickImageResponse, public QRunnable
{
public:
    Response(FileThumbnails &thumbnails, QString key, QSize requested)
        : m_thumbnails(thumbnails)
        , m_key(std::move(key))
        , m_requested(requested)
    {
        setAutoDelete(false); // the view owns the response
    }

    QQuickTextureFactory *textureFactory() const override
    {
        return QQuickTextureFactory::textureFactoryForImage(m_image);
    }

    void run() override
    {
        const QString path = FileThumbnails::pathOf(m_key);
        QImage image = m_thumbnails.thumbnail(path, m_key);
        if (!image.isNull() && !m_requested.isEmpty()) {
            // 8 points at the scale asked for; the views ask in points.
            image = StripImages::fitRounded(image, m_requested, 8.0);
        }
        if (image.isNull()) {
            image = QImage(1, 1, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
        }
        m_image = image;
        Q_EMIT finished();
    }

private:
    FileThumbnails &m_thumbnails;
    QString m_key;
    QSize m_requested;
    QImage m_image;
};

} // namespace

FileThumbnailProvider::FileThumbnailProvider(FileThumbnails &thumbnails)
    : m_thumbnails(thumbnails)
{
    m_pool.setMaxThreadCount(2);
}

FileThumbnailProvider::~FileThumbnailProvider()
{
    m_pool.clear();
    m_pool.waitForDone();
}

QQuickImageResponse *FileThumbnailProvider::requestImageResponse(const QString &id,
                                                                 const QSize &requestedSize)
{
    auto *response = new Response(m_thumbnails, CardPresenter::decode(id), requestedSize);
    m_pool.start(response);
    return response;
}
