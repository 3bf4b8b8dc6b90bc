// The strip's pictures as the views ask for them: a thumbnail fitted with rounded corners, and
// bad requests or bad bytes give an empty picture, never a crash.

#include "StripFixtures.h"
#include "capture/ImageCache.h"
#include "strip/cards/AppIcons.h"
#include "strip/cards/CardFace.h"
#include "strip/ui/StripImages.h"
#include "strip/cards/SymbolIcons.h"

#include <QBuffer>
#include <QTest>

class TestStripImages : public QObject
{
    Q_OBJECT

    // Thumbnails as the store keeps them, fetched by id.
    QHash<QString, QByteArray> stored;
    int fetches = 0;
    ImageCache cache{[this](const QString &id) -> std::optional<QByteArray> {
        ++fetches;
        return stored.contains(id) ? std::optional(stored.value(id)) : std::nullopt;
    }};
    QList<ClipItem> cards;
    AppIcons icons{[](const QString &) { return std::optional<QIcon>(); }};
    StripImages images{icons, cache, [this](const QString &id) -> const ClipItem * {
                           for (const ClipItem &c : cards) {
                               if (c.id == id)
                                   return &c;
                           }
                           return nullptr;
                       }};

    QImage request(const QString &id, QSize requested)
    {
        QSize size;
        const QImage image = images.requestImage(id, &size, requested);
        if (size != image.size())
            qWarning("reported size differs");
        return image;
    }

private Q_SLOTS:
    void initTestCase() { SymbolIcons::ensureIconTheme(); }

    void thumbnailsAndBadRequests()
    {
        QImage green(400, 100, QImage::Format_RGB32);
        green.fill(Qt::green);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        green.save(&buffer, "PNG");
        cards = {card(u"W"_qs, u"Imagem 400 × 100"_qs, ClipKind::Image),
                 card(u"B"_qs, u"Imagem"_qs, ClipKind::Image)};
        // The first card's record knows only the size of its thumbnail, as the store's do.
        cards[0].thumbnailBytes = png.size();
        stored.insert(u"W"_qs, png);
        cards[1].thumbnail = QByteArray("not a png");
        for (int i = 0; i < 2; ++i) {
            const QImage fitted =
                request(u"thumb/"_qs + CardPresenter::encode(u"W"_qs) + u"/9"_qs, {204, 130});
            QCOMPARE(fitted.size(), QSize(204, 51)); // fitted into the box, shape kept
            QCOMPARE(qAlpha(fitted.pixel(0, 0)), 0); // rounded corner
            QCOMPARE(fitted.pixelColor(100, 25), QColor(Qt::green));
        }
        QCOMPARE(fetches, 1); // decoded once, then from the cache

        for (const QString &id :
             {u"thumb/"_qs + CardPresenter::encode(u"B"_qs) + u"/9"_qs,
              u"thumb/"_qs + CardPresenter::encode(u"GONE"_qs) + u"/1"_qs, u"thumb/%%%"_qs,
              u"nothing"_qs, QString(), u"symbol/"_qs, u"header/zz"_qs, u"fileicon/a/b"_qs}) {
            const QImage empty = request(id, {204, 130});
            QVERIFY2(!empty.isNull() && qAlpha(empty.pixel(0, 0)) == 0, qPrintable(id));
        }
        // Unknown symbols and colours still give a picture of the size asked for.
        QCOMPARE(request(u"symbol/no.such.symbol/zz"_qs, {16, 16}).size(), QSize(16, 16));
        QCOMPARE(request(u"header/zz/photo/%%%"_qs, {228, 74}).size(), QSize(228, 74));
    }
};

QTEST_MAIN(TestStripImages)
#include "tst_stripimages.moc"
