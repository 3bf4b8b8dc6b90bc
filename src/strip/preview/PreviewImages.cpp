#include "PreviewImages.h"

#include "PreviewContent.h"
#include "strip/cards/FileThumbnails.h"
#include "strip/cards/SymbolIcons.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMutexLocker>
#include <QPainter>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace {

// Without a size asked for, pictures fit a large panel on a dense screen.
constexpr QSize kDefaultBounds{2400, 1800};

QSize boundsFor(const QSize &requested)
{
    if (requested.width() <= 0 && requested.height() <= 0)
        return kDefaultBounds;
    return QSize(requested.width() > 0 ? requested.width() : kDefaultBounds.width(),
                 requested.height() > 0 ? requested.height() : kDefaultBounds.height());
}

QImage transparentPixel()
{
    QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

PreviewImages::PreviewImages(FileThumbnails &thumbnails)
    : QQuickImageProvider(QQuickImageProvider::Image)
    , m_thumbnails(thumbnails)
    , m_pictures(192 * 1024) // KiB of decoded pictures
{}

PreviewImages::~PreviewImages() = default;

void PreviewImages::setPlaceholder(const QByteArray &png)
{
    QMutexLocker lock(&m_mutex);
    m_placeholder = png;
}

QImage PreviewImages::requestImage(const QString &id, QSize *size, const QSize &requestedSize)
{
    const QString kind = id.section(u'/', 0, 0);
    // The engine may hand over non-ASCII characters already decoded: read them as UTF-8.
    const QString arg = QUrl::fromPercentEncoding(id.section(u'/', 1).toUtf8());
    QImage image;
    if (kind == u"picture") {
        image = picture(arg, requestedSize);
    } else if (kind == u"pdf") {
        image = pdfPage(arg, requestedSize);
    } else if (kind == u"thumb") {
        image = m_thumbnails.thumbnail(arg, FileThumbnails::key(arg));
    } else if (kind == u"placeholder") {
        QMutexLocker lock(&m_mutex);
        image = QImage::fromData(m_placeholder);
    } else if (kind == u"icon") {
        const QSize want = requestedSize.isValid() ? requestedSize : QSize(128, 128);
        image = SymbolIcons::renderThemeIcon(
            {arg.section(u'|', 0, 0), arg.section(u'|', 1), QStringLiteral("text-x-generic")},
            want, Qt::white);
    } else if (kind == u"symbol") {
        const QSize want = requestedSize.isValid() ? requestedSize : QSize(96, 96);
        image = SymbolIcons::render(arg, want, QColor(255, 255, 255, 140));
    }
    if (image.isNull())
        image = transparentPixel();
    if (size)
        *size = image.size();
    return image;
}

QImage PreviewImages::decodeFitted(const QString &path, const QSize &bounds)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!stored.isValid() ||
        qint64(stored.width()) * stored.height() > PreviewContents::kMaxPixels)
        return {};
    // Fit the picture as shown: a quarter turn swaps its sides.
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize shown = turned ? stored.transposed() : stored;
    const QSize fitted = shown.scaled(bounds, Qt::KeepAspectRatio).boundedTo(shown);
    // Formats that can decode smaller (JPEG) do so, which is most of the work saved.
    if (reader.supportsOption(QImageIOHandler::ScaledSize) && fitted != shown)
        reader.setScaledSize(turned ? fitted.transposed() : fitted);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    if (image.size() != fitted)
        image = image.scaled(fitted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

QImage PreviewImages::picture(const QString &path, const QSize &requested)
{
    const QSize bounds = boundsFor(requested);
    const QString key = path + u'|' +
                        QString::number(QFileInfo(path).lastModified().toMSecsSinceEpoch()) +
                        u'|' + QString::number(bounds.width()) + u'x' +
                        QString::number(bounds.height());
    {
        QMutexLocker lock(&m_mutex);
        if (const QImage *cached = m_pictures.object(key))
            return *cached;
    }
    const QImage image = decodeFitted(path, bounds);
    if (!image.isNull()) {
        QMutexLocker lock(&m_mutex);
        m_pictures.insert(key, new QImage(image), int(std::max<qint64>(1, image.sizeInBytes() / 1024)));
    }
    return image;
}

QImage PreviewImages::pdfPage(const QString &spec, const QSize &requested)
{
    const int page = spec.section(u'|', 0, 0).toInt();
    const QString path = spec.section(u'|', 1);
    QMutexLocker lock(&m_pdfMutex);
    if (!m_pdf || m_pdfPath != path) {
        m_pdf = std::make_unique<QPdfDocument>();
        m_pdfPath = path;
        if (m_pdf->load(path) != QPdfDocument::Error::None)
            return {};
    }
    if (page < 0 || page >= m_pdf->pageCount())
        return {};
    const QSizeF points = m_pdf->pagePointSize(page);
    if (points.isEmpty())
        return {};
    const int width = std::clamp(requested.width() > 0 ? requested.width() : 1200, 16, 4000);
    const QSize pixels(width, std::max(1, int(std::lround(width * points.height() / points.width()))));
    QImage image = m_pdf->render(page, pixels);
    // Pages without a background of their own are white paper.
    if (image.hasAlphaChannel()) {
        QImage paper(image.size(), QImage::Format_RGB32);
        paper.fill(Qt::white);
        QPainter(&paper).drawImage(0, 0, image);
        return paper;
    }
    return image;
}
