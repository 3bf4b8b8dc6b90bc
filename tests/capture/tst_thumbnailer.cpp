// Thumbnails scaled down but never up, EXIF orientation, and bytes that do not decode,
// including a decompression bomb.

#include "capture/Thumbnailer.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTest>

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

QByteArray pdfOfPages(int pages)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        QPainter painter(&writer);
        for (int i = 1; i < pages; ++i)
            writer.newPage();
    }
    return bytes;
}

} // namespace

class TestThumbnailer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void imagesAreFittedAndTurned_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("source");
        QTest::addColumn<QSize>("thumbnail");
        const QSize large(800, 600), fitted(360, 270);
        QTest::newRow("png") << encode(halves(800, 600), "PNG") << large << fitted;
        QTest::newRow("small png, not enlarged")
            << encode(halves(120, 40), "PNG") << QSize(120, 40) << QSize(120, 40);
        // Orientation 6: the stored picture is shown turned a quarter clockwise, so the left
        // half is on top.
        QTest::newRow("jpeg turned by exif")
            << withOrientation(encode(halves(800, 600), "JPEG"), 6) << large << QSize(270, 360);
    }

    void imagesAreFittedAndTurned()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, source);
        QFETCH(QSize, thumbnail);
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
};

QTEST_GUILESS_MAIN(TestThumbnailer)
#include "tst_thumbnailer.moc"
