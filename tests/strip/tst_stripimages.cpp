// The strip's pictures as the views ask for them: card headers cut to the card's corners with
// the application's icon or the kind's symbol, thumbnails fitted with rounded corners, tinted
// symbols and file icon tiles; and bad requests or bad bytes give an empty picture, never a
// crash.

#include "StripFixtures.h"
#include "capture/ImageCache.h"
#include "strip/AppIcons.h"
#include "strip/CardFace.h"
#include "strip/StripImages.h"
#include "strip/SymbolIcons.h"

#include <QBuffer>
#include <QTest>

namespace {

QByteArray png(QSize size, const QColor &color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

int alphaAt(const QImage &image, int x, int y)
{
    return qAlpha(image.pixel(x, y));
}

} // namespace

class TestStripImages : public QObject
{
    Q_OBJECT

    ImageCache cache;
    QList<ClipItem> cards;
    AppIcons icons{[](const QString &id) -> std::optional<QIcon> {
        if (id != u"org.example.Red"_qs)
            return std::nullopt;
        QImage red(64, 64, QImage::Format_ARGB32);
        red.fill(Qt::red);
        return QIcon(QPixmap::fromImage(red));
    }};
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

    void headers()
    {
        const QString blue = u"header/2060c0/photo/"_qs;
        const QImage withSymbol = request(blue + CardPresenter::encode(QString()), {228, 74});
        QCOMPARE(withSymbol.size(), QSize(228, 74));
        // The card's rounded top corners are cut; the header's colour fills its bottom edge;
        // below the header only the icon's overhang is drawn.
        QVERIFY(alphaAt(withSymbol, 1, 1) == 0 && alphaAt(withSymbol, 226, 1) == 0);
        QVERIFY(alphaAt(withSymbol, 2, 58) > 190);
        QVERIFY(QColor(withSymbol.pixel(20, 40)).blue() > QColor(withSymbol.pixel(20, 40)).red());
        QCOMPARE(alphaAt(withSymbol, 20, 70), 0);

        // With the application's icon, its red shows in the corner; an application that is
        // not installed gets the symbol instead.
        const QColor corner =
            request(blue + CardPresenter::encode(u"org.example.Red"_qs), {228, 74})
                .pixelColor(200, 30);
        QVERIFY(corner.red() > 200 && corner.blue() < 80);
        QCOMPARE(request(blue + CardPresenter::encode(u"org.gone"_qs), {228, 74}), withSymbol);
        // Twice the pixels for a screen of scale 2.
        QCOMPARE(request(u"header/2060c0/doc/"_qs, {456, 148}).size(), QSize(456, 148));
    }

    void thumbnailsSymbolsAndFileIcons()
    {
        ClipItem wide = card(u"W"_qs, u"Imagem 400 × 100"_qs, ClipKind::Image);
        wide.thumbnail = png({400, 100}, Qt::green);
        ClipItem broken = card(u"B"_qs, u"Imagem"_qs, ClipKind::Image);
        broken.thumbnail = QByteArray("not a png");
        cards = {wide, broken};
        const QImage fitted =
            request(u"thumb/"_qs + CardPresenter::encode(u"W"_qs) + u"/9"_qs, {204, 130});
        QCOMPARE(fitted.size(), QSize(204, 51)); // fitted into the box, shape kept
        QCOMPARE(alphaAt(fitted, 0, 0), 0);      // rounded corner
        QCOMPARE(fitted.pixelColor(100, 25), QColor(Qt::green));

        const QImage symbol = request(u"symbol/magnifyingglass/ffff0000"_qs, {24, 24});
        QCOMPARE(symbol.size(), QSize(24, 24));
        bool tinted = false;
        for (int i = 0; i < 24 * 24 && !tinted; ++i)
            tinted = alphaAt(symbol, i % 24, i / 24) > 200 &&
                     symbol.pixelColor(i % 24, i / 24).red() > 200;
        QVERIFY(tinted);
        // The symbols drawn here rather than taken from the theme.
        const QImage clear = request(u"symbol/xmark.circle.fill/ffffffff"_qs, {16, 16});
        QCOMPARE(alphaAt(clear, 8, 8), 0); // the cross is cut out of the disc
        QVERIFY(alphaAt(clear, 8, 2) > 200);
        const QImage tile =
            request(u"fileicon/"_qs + CardPresenter::encode(u"/nada/planilha.xlsx"_qs), {64, 62});
        QCOMPARE(tile.size(), QSize(64, 62));
        QVERIFY(alphaAt(tile, 32, 2) > 0); // the tile's wash
    }

    void badRequestsGiveAnEmptyPicture()
    {
        cards = {card(u"B"_qs, u"Imagem"_qs, ClipKind::Image)};
        cards[0].thumbnail = QByteArray("not a png");
        for (const QString &id :
             {u"thumb/"_qs + CardPresenter::encode(u"B"_qs) + u"/9"_qs,
              u"thumb/"_qs + CardPresenter::encode(u"GONE"_qs) + u"/1"_qs, u"thumb/%%%"_qs,
              u"nothing"_qs, QString(), u"symbol/"_qs, u"header/zz"_qs, u"fileicon/a/b"_qs}) {
            const QImage empty = request(id, {204, 130});
            QVERIFY2(!empty.isNull() && alphaAt(empty, 0, 0) == 0, qPrintable(id));
        }
        // Unknown symbols and colours still give a picture of the size asked for.
        QCOMPARE(request(u"symbol/no.such.symbol/zz"_qs, {16, 16}).size(), QSize(16, 16));
        QCOMPARE(request(u"header/zz/photo/%%%"_qs, {228, 74}).size(), QSize(228, 74));
    }
};

QTEST_MAIN(TestStripImages)
#include "tst_stripimages.moc"
