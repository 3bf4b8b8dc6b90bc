#pragma once
// Small PNG pictures of image and PDF cards, made once when a card is stored. Safe on any
// thread: nothing here touches the GUI, and each call uses objects of its own.

#include <QByteArray>

#include <optional>

namespace Thumbnailer {

struct ImageThumbnail
{
    QByteArray png;
    int width = 0; // of the source image, as stored (before its orientation is applied)
    int height = 0;
};

struct PdfThumbnail
{
    QByteArray png;
    int pages = 0;
};

// PNG, JPEG (EXIF orientation applied), TIFF, HEIC and the other raster formats Qt reads;
// the longer side is at most `maxPixels`. None when the bytes do not decode as an image.
std::optional<ImageThumbnail> make(const QByteArray &data, int maxPixels);

// The first page, fitted into `maxPixels` square, with the page count. None when the bytes
// are not a readable PDF document.
std::optional<PdfThumbnail> pdf(const QByteArray &data, double maxPixels);

} // namespace Thumbnailer
