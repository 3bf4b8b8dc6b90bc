// What the quick preview shows and where: the panel's frame on short, tall and narrow screens,
// the title and detail line, the content chosen for each kind of card, and the decoding of
// pictures (fitted, turned by their orientation tag, refused beyond the budget).

#include "PreviewFiles.h"
#include "strip/preview/PreviewContent.h"
#include "strip/preview/PreviewImages.h"
#include "strip/preview/PreviewLayout.h"
#include "strip/preview/PreviewState.h"
#include "strip/cards/FileThumbnails.h"
#include "strip/cards/HexColor.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

ClipItem card(ClipKind kind, const QString &title)
{
    ClipItem item;
    item.id = QStringLiteral("X");
    item.kind = kind;
    item.title = title;
    return item;
}

Representation rep(const QString &type, const QByteArray &data)
{
    return Representation{0, type, data};
}

} // namespace

class TestPreviewContent : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    QString textFile(const QString &name, const QByteArray &bytes)
    {
        return PreviewFiles::write(QDir(dir.path()), name, bytes);
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void frame_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("strip");
        QTest::addColumn<QRect>("expected");
        // 1920 × 1080: 1080 − 348 − 10 − 10 = 712 above the strip, less the gap and margin.
        QTest::newRow("ordinary") << QRect(0, 0, 1920, 1080) << QRect(10, 712, 1900, 348)
                                  << QRect(498, 16, 923, 684);
        // Tall: stops at 720 high and 972 wide, centred.
        QTest::newRow("tall") << QRect(0, 0, 1920, 2160) << QRect(10, 1792, 1900, 348)
                              << QRect(960 - 486, 1792 - 12 - 720, 972, 720);
        // Short: keeps 240 high although that reaches above the screen.
        QTest::newRow("short") << QRect(0, 0, 1024, 600) << QRect(10, 232, 1004, 348)
                               << QRect(512 - 280, 232 - 12 - 240, 560, 240);
        // Narrow: 40 free at each side.
        QTest::newRow("narrow") << QRect(0, 0, 800, 2160) << QRect(10, 1792, 780, 348)
                                << QRect(40, 1792 - 12 - 720, 720, 720);
        // A second screen to the right and lower: its own centre.
        QTest::newRow("offset screen") << QRect(1920, 200, 1920, 1080)
                                       << QRect(1930, 912, 1900, 348)
                                       << QRect(2418, 216, 923, 684);
    }
    void frame()
    {
        QFETCH(QRect, screen);
        QFETCH(QRect, strip);
        QFETCH(QRect, expected);
        QCOMPARE(PreviewLayout::frame(strip, screen), expected);
    }

    void frameWithoutScreen()
    {
        // The strip's own frame is the reference: no room above it, so the smallest panel.
        const QRect strip(100, 500, 1000, 348);
        QCOMPARE(PreviewLayout::frame(strip, std::nullopt), QRect(320, 248, 560, 240));
    }

    void titlesAndDetail()
    {
        ClipItem text = card(ClipKind::Text, u"linha um\nlinha dois "_qs + QString(90, u'x'));
        QCOMPARE(PreviewLayout::title(text).size(), 80);
        QVERIFY(PreviewLayout::title(text).startsWith(u"linha um linha dois x"));
        text.customTitle = QStringLiteral("Meu título");
        QCOMPARE(PreviewLayout::title(text), u"Meu título"_qs);

        const ClipItem files = card(ClipKind::File, u"/tmp/a/um.txt\n\n/tmp/b/dois.pdf\n/tmp/três"_qs);
        QCOMPARE(PreviewLayout::title(files), u"um.txt e mais 2"_qs);
        QCOMPARE(PreviewLayout::title(card(ClipKind::File, u"/tmp/só.png"_qs)), u"só.png"_qs);
        QVERIFY(!PreviewLayout::title(card(ClipKind::File, {})).isEmpty());
        QCOMPARE(PreviewLayout::title(card(ClipKind::Color, u"#FF8800\nx"_qs)), u"#FF8800\nx"_qs);

        ClipItem image = card(ClipKind::Image, u"Imagem 40 × 20"_qs);
        QCOMPARE(PreviewLayout::detail(image, u"há 3 minutos"_qs),
                 image.typeLabel() + u" · há 3 minutos"_qs);
        image.sourceName = QStringLiteral("GIMP");
        QCOMPARE(PreviewLayout::detail(image, {}), image.typeLabel() + u" · GIMP"_qs);
    }

    void textContent()
    {
        // A long text shows its start, cut between characters, never inside one.
        QByteArray long_ = QByteArray(PreviewContents::kMaxTextBytes - 1, 'a') + "é and more";
        const QString path = textFile(u"long.txt"_qs, long_);
        const PreviewContent text = PreviewContents::forCard(card(ClipKind::Text, u"a"_qs), {}, path);
        QCOMPARE(text.mode, PreviewMode::Text);
        QCOMPARE(text.text.size(), PreviewContents::kMaxTextBytes - 1);
        QVERIFY(!text.text.contains(QChar::ReplacementCharacter));

        const PreviewContent link =
            PreviewContents::forCard(card(ClipKind::Link, u"https://exemplo.com.br"_qs), {},
                                     textFile(u"link.txt"_qs, "https://exemplo.com.br"));
        QVERIFY(link.link);
        QCOMPARE(link.text, u"https://exemplo.com.br"_qs);
    }

    void richTextContent()
    {
        const ClipItem rich = card(ClipKind::RichText, u"Olá"_qs);
        const Representation rtf =
            rep(u"public.rtf"_qs, R"({\rtf1\ansi{\fonttbl\f0\fswiss Helvetica;}\f0\b Ol\'e1\par mundo})");
        const Representation html = rep(u"public.html"_qs, "<b>Olá</b> mundo");
        const Representation plain = rep(u"public.utf8-plain-text"_qs, "Olá mundo");

        PreviewContent content = PreviewContents::forCard(rich, {rtf, plain, html}, {});
        QCOMPARE(content.mode, PreviewMode::RichText);
        QCOMPARE(content.text, u"<b>Olá</b> mundo"_qs);

        content = PreviewContents::forCard(rich, {rtf, plain}, {});
        QCOMPARE(content.mode, PreviewMode::Text);
        QCOMPARE(content.text, u"Olá mundo"_qs);

        // Only RTF: its words, without the control words, fonts or braces.
        content = PreviewContents::forCard(rich, {rtf}, {});
        QCOMPARE(content.mode, PreviewMode::Text);
        QCOMPARE(content.text, u"Olá\nmundo"_qs);
    }

    void pictureContent()
    {
        const QDir d(dir.path());
        const ClipItem image = card(ClipKind::Image, u"Imagem"_qs);
        const QString png = PreviewFiles::picture(d, u"p.png"_qs, {40, 20}, "png");
        PreviewContent content = PreviewContents::forCard(image, {}, png);
        QCOMPARE(content.mode, PreviewMode::Picture);
        QCOMPARE(content.path, png);

        QCOMPARE(PreviewContents::forCard(image, {}, PreviewFiles::animation(d)).mode,
                 PreviewMode::Animation);

        // Over the budget, or not an image at all: the kind's symbol, never a decode.
        for (const QString &path : {PreviewFiles::bomb(d), textFile(u"fake.png"_qs, "no image")}) {
            content = PreviewContents::forCard(image, {}, path);
            QCOMPARE(content.mode, PreviewMode::Symbol);
            QCOMPARE(content.symbol, image.typeSymbol());
        }
    }

    void pdfContent()
    {
        const QString path = PreviewFiles::pdf(QDir(dir.path()), u"doc.pdf"_qs, 3);
        const PreviewContent content =
            PreviewContents::forCard(card(ClipKind::Pdf, u"doc"_qs), {}, path);
        QCOMPARE(content.mode, PreviewMode::Pdf);
        QCOMPARE(content.pages, 3);
        QVERIFY(qAbs(content.pageSize.height() / content.pageSize.width() - 297.0 / 210) < 0.01);

        const QString broken = textFile(u"broken.pdf"_qs, "%PDF-1.4 nothing else");
        QCOMPARE(PreviewContents::forCard(card(ClipKind::Pdf, u"x"_qs), {}, broken).mode,
                 PreviewMode::Symbol);
    }

    void fileContent()
    {
        const QDir d(dir.path());
        const QString png = PreviewFiles::picture(d, u"foto.png"_qs, {40, 20}, "png");
        const QString pdf = PreviewFiles::pdf(d, u"relatório.pdf"_qs, 2);
        const QString notes = textFile(u"notas.txt"_qs, "primeira linha\nsegunda");
        const QString data = textFile(u"dados.bin"_qs, QByteArray(2000, '\0'));
        const auto single = [](const QString &path) {
            return PreviewContents::forCard(card(ClipKind::File, path), {}, path);
        };

        // One file: shown as what it is.
        QCOMPARE(single(png).mode, PreviewMode::Picture);
        QCOMPARE(single(pdf).mode, PreviewMode::Pdf);
        QCOMPARE(single(pdf).pages, 2);
        QCOMPARE(single(notes).mode, PreviewMode::Text);
        QCOMPARE(single(notes).text, u"primeira linha\nsegunda"_qs);
        const PreviewContent other = single(data);
        QCOMPARE(other.mode, PreviewMode::Files);
        QCOMPARE(other.files.size(), 1);
        QCOMPARE(other.files.first().name, u"dados.bin"_qs);
        QCOMPARE(other.files.first().size, u"2 KB"_qs);
        QVERIFY(!other.files.first().type.isEmpty());

        // Several: each listed, a missing one too (without a size).
        const QString missing = d.filePath(u"sumiu.doc"_qs);
        const PreviewContent several = PreviewContents::forCard(
            card(ClipKind::File, QStringList{png, notes, missing}.join(u'\n')), {}, png);
        QCOMPARE(several.mode, PreviewMode::Files);
        QCOMPARE(several.files.size(), 3);
        QCOMPARE(several.files.at(1).name, u"notas.txt"_qs);
        QVERIFY(several.files.at(2).size.isEmpty());
        QCOMPARE(several.files.at(2).name, u"sumiu.doc"_qs);
    }

    void colorContent()
    {
        PreviewContent content = PreviewContents::forCard(card(ClipKind::Color, u"#FF8800"_qs), {}, {});
        QCOMPARE(content.mode, PreviewMode::Color);
        QCOMPARE(content.color, QColor(255, 136, 0));
        content = PreviewContents::forCard(card(ClipKind::Color, u"laranja"_qs), {}, {});
        QCOMPARE(content.color, HexColor::gray());
    }

    void decoding()
    {
        const QDir d(dir.path());
        // Fitted into the bounds, never enlarged.
        const QString big = PreviewFiles::picture(d, u"big.png"_qs, {400, 300}, "png");
        QCOMPARE(PreviewImages::decodeFitted(big, {100, 100}).size(), QSize(100, 75));
        QCOMPARE(PreviewImages::decodeFitted(big, {1000, 1000}).size(), QSize(400, 300));
        // A JPEG stored on its side and tagged to be turned: fitted as it is shown.
        const QString turned = PreviewFiles::picture(d, u"turned.jpg"_qs, {400, 200}, "jpeg",
                                                     QImageIOHandler::TransformationRotate90);
        const QImage upright = PreviewImages::decodeFitted(turned, {100, 100});
        QCOMPARE(upright.size(), QSize(50, 100));
        // The left half is orange; turned clockwise it is the top half.
        QVERIFY(upright.pixelColor(25, 10).red() > 150);
        QVERIFY(upright.pixelColor(25, 90).blue() > 150);
        QVERIFY(PreviewImages::decodeFitted(PreviewFiles::bomb(d), {100, 100}).isNull());
    }

    void providerAddresses()
    {
        // Names with accents and folders: the address must lead back to the very file, in the
        // form built here and in the one the engine hands over (its characters decoded).
        QDir(dir.path()).mkpath(u"fotos/férias"_qs);
        const QString path = PreviewFiles::picture(QDir(dir.path()), u"fotos/férias/pôr do sol.png"_qs,
                                                   {80, 40}, "png");
        FileThumbnails thumbnails(QString{});
        PreviewImages images(thumbnails);
        const QString prefix = u"image://varupreview/"_qs;
        const QString address = PreviewState::address(u"picture"_qs, path);
        for (const QString &id : {address.mid(prefix.size()), QUrl(address).toString().mid(prefix.size())}) {
            QSize size;
            const QImage image = images.requestImage(id, &size, QSize(40, 40));
            QCOMPARE(size, QSize(40, 20));
            QVERIFY(image.pixelColor(5, 10).red() > 150);
        }
        // A file thumbnail by the same kind of address.
        const QString thumb = PreviewState::address(u"thumb"_qs, path).mid(prefix.size());
        QVERIFY(images.requestImage(thumb, nullptr, {}).width() > 1);
    }
};

QTEST_MAIN(TestPreviewContent)
#include "tst_previewcontent.moc"
