// Decoded thumbnails cached per card and byte length, undecodable bytes retried, and file
// icons that are always an image.

#include "capture/ImageCache.h"

#include <QBuffer>
#include <QTest>

namespace {

QByteArray png(QColor color, int size = 8)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

ClipItem card(std::optional<QByteArray> thumbnail)
{
    ClipItem item;
    item.id = u"A"_qs;
    item.kind = ClipKind::Image;
    item.thumbnail = std::move(thumbnail);
    return item;
}

} // namespace

class TestImageCache : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void thumbnailsAreKeyedByCardAndLength()
    {
        ImageCache cache;
        QCOMPARE(cache.thumbnail(card(std::nullopt)), std::nullopt);
        // Undecodable bytes are not remembered as broken: the same length decodes later.
        const QByteArray red = png(Qt::red);
        QCOMPARE(cache.thumbnail(card(QByteArray(red.size(), 'x'))), std::nullopt);
        QCOMPARE(QColor(cache.thumbnail(card(red))->pixel(0, 0)), QColor(Qt::red));
        // A new thumbnail of another length is decoded afresh.
        QCOMPARE(cache.thumbnail(card(png(Qt::green, 64)))->size(), QSize(64, 64));
    }

    void fileIconsAreNeverEmpty()
    {
        ImageCache cache;
        for (const QString &path : {u"/nowhere/report.pdf"_qs, u"/nowhere/noext"_qs, u"/tmp"_qs}) {
            const QIcon icon = cache.fileIcon(path);
            QVERIFY2(!icon.pixmap(32).isNull(), qPrintable(path));
            QCOMPARE(cache.fileIcon(path).cacheKey(), icon.cacheKey());
        }
    }
};

QTEST_MAIN(TestImageCache)
#include "tst_imagecache.moc"
