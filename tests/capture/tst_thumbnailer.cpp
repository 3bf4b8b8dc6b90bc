// Thumbnails of every image format a card may hold, EXIF orientation, PDF first pages, and
// bytes that do not decode (including a decompression bomb), on several threads at once.

#include "capture/Thumbnailer.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTest>
#include <QtConcurrent>

#include <libheif/heif.h>

namespace {

QByteArray encode(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// Left half red, right half blue: rotations are visible.
QImage halves(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter(&image).fillRect(0, 0, w / 2, h, Qt::red);
    return image;
}

// An APP1 segment whose only EXIF tag is the orientation, placed right after SOI.
QByteArray withOrientation(const QByteArray &jpeg, quint16 orientation)
{
    QByteArray app1("\xFF\xE1\x00\x22"
                    "Exif\x00\x00"
                    "MM\x00\x2A\x00\x00\x00\x08"
                    "\x00\x01"
                    "\x01\x12\x00\x03\x00\x00\x00\x01",
                    4 + 6 + 8 + 2 + 8);
    app1 += char(orientation >> 8);
    app1 += char(orientation & 0xFF);
    app1 += QByteArray(2, '\0'); // value padding
    app1 += QByteArray(4, '\0'); // no next IFD
    return jpeg.left(2) + app1 + jpeg.mid(2);
}

quint32 crc32(const QByteArray &data)
{
    quint32 crc = 0xFFFFFFFF;
    for (char ch : data) {
        crc ^= quint8(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

QByteArray pngChunk(const QByteArray &type, const QByteArray &body)
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s << quint32(body.size());
    out += type + body;
    QDataStream t(&out, QIODevice::Append);
    t << crc32(type + body);
    return out;
}

// A valid PNG header announcing 30000 × 30000 pixels, with almost no data behind it.
QByteArray pngBomb()
{
    QByteArray ihdr;
    QDataStream s(&ihdr, QIODevice::WriteOnly);
    s << quint32(30000) << quint32(30000) << quint8(8) << quint8(2) << quint8(0) << quint8(0)
      << quint8(0);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", ihdr) +
           pngChunk("IDAT", QByteArray::fromHex("789c030000000001")) + pngChunk("IEND", {});
}

// HEIC bytes of the image, or empty when no HEVC encoder is installed.
QByteArray heic(const QImage &source)
{
    if (!heif_have_encoder_for_format(heif_compression_HEVC))
        return {};
    const QImage rgb = source.convertToFormat(QImage::Format_RGB888);
    heif_context *ctx = heif_context_alloc();
    heif_encoder *encoder = nullptr;
    heif_context_get_encoder_for_format(ctx, heif_compression_HEVC, &encoder);
    heif_image *image = nullptr;
    heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB,
                      &image);
    heif_image_add_plane(image, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
    int stride = 0;
    uint8_t *plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < rgb.height(); ++y)
        memcpy(plane + y * stride, rgb.constScanLine(y), size_t(rgb.width() * 3));
    heif_context_encode_image(ctx, image, encoder, nullptr, nullptr);
    QByteArray out;
    heif_writer writer{1, [](heif_context *, const void *data, size_t size, void *out) {
                           static_cast<QByteArray *>(out)->append(static_cast<const char *>(data),
                                                                  qsizetype(size));
                           return heif_error{heif_error_Ok, heif_suberror_Unspecified, "ok"};
                       }};
    heif_context_write(ctx, &writer, &out);
    heif_image_release(image);
    heif_encoder_release(encoder);
    heif_context_free(ctx);
    return out;
}

QByteArray pdfOfPages(int pages)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        QPainter painter(&writer);
        for (int i = 0; i < pages; ++i) {
            if (i > 0)
                writer.newPage();
            painter.fillRect(QRect(0, 0, 2000, 2000), i == 0 ? Qt::black : Qt::gray);
        }
    }
    return bytes;
}

} // namespace

class TestThumbnailer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyStoredImageFormat_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("source");
        QTest::addColumn<QSize>("thumbnail");
        const QSize large(800, 600), fitted(360, 270);
        QTest::newRow("png") << encode(halves(4000, 3000), "PNG") << QSize(4000, 3000) << fitted;
        QTest::newRow("small png, not enlarged")
            << encode(halves(120, 40), "PNG") << QSize(120, 40) << QSize(120, 40);
        QTest::newRow("jpeg") << encode(halves(800, 600), "JPEG") << large << fitted;
        QTest::newRow("tiff") << encode(halves(800, 600), "TIFF") << large << fitted;
        QTest::newRow("16-bit png")
            << encode(halves(800, 600).convertToFormat(QImage::Format_RGBA64), "PNG") << large
            << fitted;
        QTest::newRow("webp") << encode(halves(800, 600), "WEBP") << large << fitted;
        QTest::newRow("heic") << heic(halves(800, 600)) << large << fitted;
        // Orientation 6: the stored picture is shown turned a quarter clockwise, so the left
        // half is on top.
        QTest::newRow("jpeg turned by exif")
            << withOrientation(encode(halves(800, 600), "JPEG"), 6) << large << QSize(270, 360);
    }

    void everyStoredImageFormat()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, source);
        QFETCH(QSize, thumbnail);
        if (bytes.isEmpty() && qstrcmp(QTest::currentDataTag(), "heic") == 0)
            QSKIP("no HEVC encoder to make a test file");
        QVERIFY(!bytes.isEmpty());
        const auto thumb = Thumbnailer::make(bytes, 360);
        QVERIFY(thumb);
        QCOMPARE(QSize(thumb->width, thumb->height), source); // as stored
        const QImage image = QImage::fromData(thumb->png, "PNG");
        QCOMPARE(image.size(), thumbnail);
        const bool turned = thumbnail.height() > thumbnail.width();
        const QPoint redAt = turned ? QPoint(thumbnail.width() / 2, 5) : QPoint(5, 20);
        const QPoint blueAt = turned ? QPoint(thumbnail.width() / 2, thumbnail.height() - 5)
                                     : QPoint(thumbnail.width() - 5, 20);
        QVERIFY(qRed(image.pixel(redAt)) > 180 && qBlue(image.pixel(blueAt)) > 180);
    }

    void pdfFirstPageAndPageCount()
    {
        const auto thumb = Thumbnailer::pdf(pdfOfPages(10), 360);
        QVERIFY(thumb);
        QCOMPARE(thumb->pages, 10);
        const QImage image = QImage::fromData(thumb->png, "PNG");
        QCOMPARE(image.height(), 360); // A4 is portrait
        QVERIFY(qAbs(image.width() - 255) <= 1);
        QCOMPARE(image.pixel(image.width() - 1, image.height() - 1), qRgb(255, 255, 255)); // paper
        QCOMPARE(qGray(image.pixel(5, 5)), 0); // the black box of page 1
    }

    void bytesThatDoNotDecode()
    {
        const QByteArray garbage = QByteArray("\x00\x13\x37 not an image", 17).repeated(100);
        QCOMPARE(Thumbnailer::make(garbage, 360).has_value(), false);
        QCOMPARE(Thumbnailer::pdf(garbage, 360).has_value(), false);
        QCOMPARE(Thumbnailer::pdf(QByteArray("%PDF-1.7\n%broken"), 360).has_value(), false);
        // Decided by content: a PDF under an image type is no image, and the reverse.
        QCOMPARE(Thumbnailer::make(pdfOfPages(1), 360).has_value(), false);
        QCOMPARE(Thumbnailer::pdf(encode(halves(50, 50), "PNG"), 360).has_value(), false);
        // A header promising 900 megapixels gives nothing rather than exhausting memory.
        QCOMPARE(Thumbnailer::make(pngBomb(), 360).has_value(), false);
        // Cut-off files do not crash (what decodes of them is the decoder's business).
        const QByteArray png = encode(halves(800, 600), "PNG");
        Thumbnailer::make(png.left(png.size() / 2), 360);
        const QByteArray pdf = pdfOfPages(3);
        QCOMPARE(Thumbnailer::pdf(pdf.left(pdf.size() / 2), 360).has_value(), false);
    }

    void safeOnSeveralThreadsAtOnce()
    {
        const QByteArray png = encode(halves(1000, 800), "PNG");
        const QByteArray pdf = pdfOfPages(2);
        QList<int> jobs(16);
        std::iota(jobs.begin(), jobs.end(), 0);
        const QList<bool> ok = QtConcurrent::blockingMapped(jobs, [&](int i) {
            return i % 2 ? Thumbnailer::make(png, 360).has_value()
                         : Thumbnailer::pdf(pdf, 360).has_value();
        });
        QCOMPARE(ok, QList<bool>(16, true));
    }
};

QTEST_GUILESS_MAIN(TestThumbnailer)
#include "tst_thumbnailer.moc"
