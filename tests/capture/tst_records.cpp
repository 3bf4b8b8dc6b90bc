// The clip records: the content checksum's exact bytes, the equality the strip relies on,
// and the presentation values derived from a card.

#include "capture/ClipItem.h"
#include "capture/Representation.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QTest>

class TestRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checksumHashesIndexTypeAndBytes()
    {
        const Representation rep{0, u"public.utf8-plain-text"_qs, QByteArray("abc")};
        const QByteArray expectedInput = "0|public.utf8-plain-text|abc";
        QCOMPARE(expectedInput.size(), 28);
        const QString expected = QString::fromLatin1(
            QCryptographicHash::hash(expectedInput, QCryptographicHash::Sha256).toHex());
        QCOMPARE(Representation::checksum({rep}), expected);
        QCOMPARE(expected.size(), 64);

        Representation moved = rep;
        moved.index = 1;
        QVERIFY(Representation::checksum({moved}) != expected);
        Representation retyped = rep;
        retyped.type = u"public.html"_qs;
        QVERIFY(Representation::checksum({retyped}) != expected);

        // Several representations are fed in order, with no separator between them.
        const Representation second{1, u"public.png"_qs, QByteArray("\x00\x01", 2)};
        const QByteArray both = expectedInput + "1|public.png|" + QByteArray("\x00\x01", 2);
        QCOMPARE(Representation::checksum({rep, second}),
                 QString::fromLatin1(QCryptographicHash::hash(both, QCryptographicHash::Sha256).toHex()));
        QVERIFY(Representation::checksum({second, rep}) != Representation::checksum({rep, second}));

        // Multi-byte types are hashed as UTF-8; an empty list is the digest of nothing.
        const Representation accented{0, u"tipo.é"_qs, QByteArray()};
        QCOMPARE(Representation::checksum({accented}),
                 QString::fromLatin1(QCryptographicHash::hash(QByteArray("0|tipo.\xc3\xa9|"),
                                                              QCryptographicHash::Sha256)
                                         .toHex()));
        QCOMPARE(Representation::checksum({}),
                 u"e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"_qs);
    }

    void itemEqualityIgnoresWhatTheCardDoesNotDraw()
    {
        ClipItem a;
        a.id = u"A"_qs;
        a.createdAt = 10;
        a.title = u"hello"_qs;
        a.boardIDs = {u"B1"_qs, u"B2"_qs};

        ClipItem b = a;
        b.kind = ClipKind::Link;
        b.sourceBundleID = u"org.kde.kate"_qs;
        b.sourceName = u"Kate"_qs;
        b.totalBytes = 99;
        b.thumbnail = QByteArray("png");
        QVERIFY(a == b);

        b.boardIDs = {u"B2"_qs, u"B1"_qs}; // a set: order does not matter
        QVERIFY(a == b);

        ClipItem c = a;
        c.customTitle = QString(); // absent and empty are different
        QVERIFY(!(a == c));
        for (auto change : std::initializer_list<std::function<void(ClipItem &)>>{
                 [](ClipItem &i) { i.id = u"X"_qs; },
                 [](ClipItem &i) { i.createdAt = 11; },
                 [](ClipItem &i) { i.title = u"other"_qs; },
                 [](ClipItem &i) { i.inHistory = false; },
                 [](ClipItem &i) { i.boardIDs.insert(u"B3"_qs); },
             }) {
            ClipItem d = a;
            change(d);
            QVERIFY(!(a == d));
        }
    }

    void kindRawNamesAreExact()
    {
        QCOMPARE(ClipKinds::fromRaw(u"richText"_qs), ClipKind::RichText);
        QCOMPARE(ClipKinds::fromRaw(u"pdf"_qs), ClipKind::Pdf);
        QVERIFY(!ClipKinds::fromRaw(u"Text"_qs));
        QVERIFY(!ClipKinds::fromRaw(QString()));
        for (ClipKind k : {ClipKind::Text, ClipKind::RichText, ClipKind::Link, ClipKind::Image,
                           ClipKind::Pdf, ClipKind::File, ClipKind::Color})
            QCOMPARE(ClipKinds::fromRaw(ClipKinds::rawName(k)), k);
        QVERIFY(ClipKinds::isText(ClipKind::Link));
        QVERIFY(!ClipKinds::isText(ClipKind::Color));
    }

    void filePathsComeOnlyFromFileCards()
    {
        ClipItem file;
        file.kind = ClipKind::File;
        file.title = u"/a\n\n/b\n"_qs;
        QCOMPARE(file.filePaths(), QStringList({u"/a"_qs, u"/b"_qs}));

        ClipItem text = file;
        text.kind = ClipKind::Text;
        QVERIFY(text.filePaths().isEmpty());
        QVERIFY(!text.fileCategory());
    }

    void fileCardsArePresentedByTheirCategory()
    {
        ClipItem item;
        item.kind = ClipKind::File;
        item.title = u"/nowhere/a.jpg\n/nowhere/b.PNG"_qs;
        QCOMPARE(item.typeLabel(), u"2 imagens"_qs);
        QVERIFY(item.isImageLike());
        QCOMPARE(item.typeSymbol(), u"photo"_qs);

        item.title = u"/nowhere/a.jpg\n/nowhere/b.pdf"_qs;
        QCOMPARE(item.typeLabel(), u"Múltiplos arquivos"_qs);
        QCOMPARE(item.typeSymbol(), u"doc.on.doc"_qs);
        QVERIFY(!item.isImageLike());
        QCOMPARE(item.typeTint(), QColor::fromRgbF(0.95f, 0.60f, 0.27f));

        item.title = u"/nowhere/notes.txt"_qs;
        QCOMPARE(item.typeLabel(), u"Arquivo de texto"_qs);

        ClipItem image;
        image.kind = ClipKind::Image;
        QCOMPARE(image.typeLabel(), u"Imagem"_qs);
        QCOMPARE(image.typeTint(), QColor::fromRgbF(0.92f, 0.40f, 0.55f));
        QVERIFY(image.isImageLike());
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
