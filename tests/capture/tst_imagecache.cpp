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

ClipItem card(const QString &id, std::optional<QByteArray> thumbnail)
{
    ClipItem item;
    item.id = id;
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
        QCOMPARE(cache.thumbnail(card(u"A"_qs, std::nullopt)), std::nullopt);
        const auto red = cache.thumbnail(card(u"A"_qs, png(Qt::red)));
        QVERIFY(red);
        QCOMPARE(QColor(red->pixel(0, 0)), QColor(Qt::red));
        QCOMPARE(ImageCache::thumbnailKey(card(u"A"_qs, png(Qt::red))),
                 u"A-"_qs + QString::number(png(Qt::red).size()));
        // A new thumbnail of another length is decoded afresh.
        const auto big = cache.thumbnail(card(u"A"_qs, png(Qt::green, 64)));
        QCOMPARE(big->size(), QSize(64, 64));
    }

    void undecodableBytesAreRetried()
    {
        ImageCache cache;
        const QByteArray good = png(Qt::blue);
        const QByteArray bad(good.size(), 'x');
        QCOMPARE(cache.thumbnail(card(u"B"_qs, bad)), std::nullopt);
        // Same card, same length, now readable: not remembered as broken.
        QVERIFY(cache.thumbnail(card(u"B"_qs, good)));
    }

    void fileIconsAreNeverEmpty()
    {
        ImageCache cache;
        for (const QString &path : {u"/nowhere/report.pdf"_qs, u"/nowhere/noext"_qs, u"/tmp"_qs}) {
            const QIcon icon = cache.fileIcon(path);
            QVERIFY2(!icon.isNull(), qPrintable(path));
            QVERIFY(!icon.pixmap(32).isNull());
            QCOMPARE(cache.fileIcon(path).cacheKey(), icon.cacheKey());
        }
    }
};

QTEST_MAIN(TestImageCache)
#include "tst_imagecache.moc"
