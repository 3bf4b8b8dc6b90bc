#include "Thumbnailer.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPdfDocument>

#include <libheif/heif.h>

#include <cmath>
#include <memory>

namespace Thumbnailer {

namespace {

// Decoding budget for one source image; larger ones get no thumbnail rather than
// exhausting memory.
constexpr int kAllocationLimitMB = 512;
constexpr qint64 kMaxHeifPixels = qint64(kAllocationLimitMB) * 1024 * 1024 / 4;

bool isHeif(const QByteArray &data)
{
    if (data.size() < 12)
        return false;
    const heif_filetype_result r =
        heif_check_filetype(reinterpret_cast<const uint8_t *>(data.constData()),
                            int(std::min<qsizetype>(data.size(), 4096)));
    return r == heif_filetype_yes_supported;
}

bool isPdf(const QByteArray &data)
{
    // Readers accept the signature anywhere in the first kilobyte.
    return data.left(1024).contains("%PDF-");
}

QSize fitted(QSize size, double maxPixels)
{
    const double longest = std::max(size.width(), size.height());
    if (longest <= maxPixels)
        return size;
    const double scale = maxPixels / longest;
    return QSize(std::max(1, int(std::lround(size.width() * scale))),
                 std::max(1, int(std::lround(size.height() * scale))));
}

std::optional<QByteArray> encodePng(const QImage &image)
{
    if (image.isNull())
        return std::nullopt;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return std::nullopt;
    return png;
}

QImage shrink(const QImage &image, double maxPixels)
{
    // Deep images (16-bit PNG, float TIFF) are slow to filter: bring them to 8 bits first.
    QImage eight = image;
    if (image.depth() > 32)
        eight = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                              : QImage::Format_RGB32);
    const QSize target = fitted(eight.size(), maxPixels);
    if (target == eight.size())
        return eight;
    return eight.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

struct HeifContextDeleter
{
    void operator()(heif_context *c) const { heif_context_free(c); }
};
struct HeifHandleDeleter
{
    void operator()(heif_image_handle *h) const { heif_image_handle_release(h); }
};
struct HeifImageDeleter
{
    void operator()(heif_image *i) const { heif_image_release(i); }
};
using HeifHandle = std::unique_ptr<heif_image_handle, HeifHandleDeleter>;

QImage decodeHeif(const heif_image_handle *handle)
{
    const qint64 pixels =
        qint64(heif_image_handle_get_width(handle)) * heif_image_handle_get_height(handle);
    if (pixels <= 0 || pixels > kMaxHeifPixels)
        return {};
    heif_image *raw = nullptr;
    // Rotation and mirroring stored in the file are applied by the decoder.
    const heif_error err =
        heif_decode_image(handle, &raw, heif_colorspace_RGB, heif_chroma_interleaved_RGBA, nullptr);
    std::unique_ptr<heif_image, HeifImageDeleter> image(raw);
    if (err.code != heif_error_Ok || !image)
        return {};
    int stride = 0;
    const uint8_t *plane =
        heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    const int w = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int h = heif_image_get_height(image.get(), heif_channel_interleaved);
    if (!plane || w <= 0 || h <= 0)
        return {};
    return QImage(plane, w, h, stride, QImage::Format_RGBA8888).copy();
}

std::optional<ImageThumbnail> makeHeif(const QByteArray &data, int maxPixels)
{
    std::unique_ptr<heif_context, HeifContextDeleter> ctx(heif_context_alloc());
    if (!ctx)
        return std::nullopt;
    if (heif_context_read_from_memory_without_copy(ctx.get(), data.constData(), size_t(data.size()),
                                                   nullptr)
            .code != heif_error_Ok)
        return std::nullopt;
    heif_image_handle *rawHandle = nullptr;
    if (heif_context_get_primary_image_handle(ctx.get(), &rawHandle).code != heif_error_Ok)
        return std::nullopt;
    const HeifHandle primary(rawHandle);

    ImageThumbnail result;
    result.width = heif_image_handle_get_ispe_width(primary.get());
    result.height = heif_image_handle_get_ispe_height(primary.get());
    if (result.width <= 0 || result.height <= 0) {
        result.width = heif_image_handle_get_width(primary.get());
        result.height = heif_image_handle_get_height(primary.get());
    }

    // The embedded thumbnail is much cheaper to decode; use it when it is large enough.
    const QSize wanted = fitted(QSize(heif_image_handle_get_width(primary.get()),
                                      heif_image_handle_get_height(primary.get())),
                                maxPixels);
    QImage picture;
    heif_item_id thumbID = 0;
    if (heif_image_handle_get_list_of_thumbnail_IDs(primary.get(), &thumbID, 1) == 1) {
        heif_image_handle *rawThumb = nullptr;
        if (heif_image_handle_get_thumbnail(primary.get(), thumbID, &rawThumb).code ==
            heif_error_Ok) {
            const HeifHandle thumb(rawThumb);
            if (heif_image_handle_get_width(thumb.get()) >= wanted.width() &&
                heif_image_handle_get_height(thumb.get()) >= wanted.height())
                picture = decodeHeif(thumb.get());
        }
    }
    if (picture.isNull())
        picture = decodeHeif(primary.get());
    const std::optional<QByteArray> png = encodePng(shrink(picture, maxPixels));
    if (!png)
        return std::nullopt;
    result.png = *png;
    return result;
}

std::optional<ImageThumbnail> makeRaster(const QByteArray &data, int maxPixels)
{
    QByteArray bytes = data; // shared, not copied
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(kAllocationLimitMB);
    const QByteArray format = reader.format();
    // Vector formats are not pictures of fixed size; PDF has its own path.
    if (format.isEmpty() || format == "pdf" || format == "svg" || format == "svgz")
        return std::nullopt;
    reader.setAutoTransform(true);

    const QSize stored = reader.size();
    if (stored.isValid() && !stored.isEmpty() && reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(fitted(stored, maxPixels)); // JPEG decodes straight to size
    const QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;

    ImageThumbnail result;
    if (stored.isValid()) {
        result.width = stored.width();
        result.height = stored.height();
    }
    const std::optional<QByteArray> png = encodePng(shrink(image, maxPixels));
    if (!png)
        return std::nullopt;
    result.png = *png;
    return result;
}

} // namespace

std::optional<ImageThumbnail> make(const QByteArray &data, int maxPixels)
{
    if (data.isEmpty() || maxPixels < 1 || isPdf(data))
        return std::nullopt;
    if (isHeif(data))
        return makeHeif(data, maxPixels);
    return makeRaster(data, maxPixels);
}

std::optional<PdfThumbnail> pdf(const QByteArray &data, double maxPixels)
{
    if (data.isEmpty() || !(maxPixels >= 1) || !std::isfinite(maxPixels))
        return std::nullopt;
    QByteArray bytes = data;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QPdfDocument document;
    document.load(&buffer);
    if (document.status() != QPdfDocument::Status::Ready || document.pageCount() < 1)
        return std::nullopt;

    const QSizeF points = document.pagePointSize(0);
    if (!(points.width() > 0) || !(points.height() > 0) || !std::isfinite(points.width()) ||
        !std::isfinite(points.height()))
        return std::nullopt;
    const double scale = maxPixels / std::max(points.width(), points.height());
    const QSize size(std::max(1, int(std::lround(points.width() * scale))),
                     std::max(1, int(std::lround(points.height() * scale))));
    const QImage rendered = document.render(0, size);
    if (rendered.isNull())
        return std::nullopt;
    // Pages render onto transparency; a thumbnail shows them on paper.
    QImage page(rendered.size(), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter(&page).drawImage(0, 0, rendered);
    const std::optional<QByteArray> png = encodePng(page);
    if (!png)
        return std::nullopt;
    return PdfThumbnail{*png, document.pageCount()};
}

} // namespace Thumbnailer
