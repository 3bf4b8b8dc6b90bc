// The clip records: the content checksum's exact bytes, the equality the strip relies on,
// and what a file card is presented as.

#include "core/ClipItem.h"
#include "core/Representation.h"

#include <QCryptographicHash>
#include <QTest>

namespace {
QString sha256(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}
} // namespace

class TestRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checksumHashesIndexTypeAndBytes()
    {
        const Representation rep{0, u"public.utf8-plain-text"_qs, QByteArray("abc")};
        const Representation second{1, u"public.png"_qs, QByteArray("\x00\x01", 2)};
        const Representation accented{0, u"tipo.é"_qs, QByteArray()};
        // Several representations are fed in order, with no separator between them;
        // multi-byte types are hashed as UTF-8.
        QCOMPARE(Representation::checksum({rep}), sha256("0|public.utf8-plain-text|abc"));
        QCOMPARE(Representation::checksum({rep, second}),
                 sha256("0|public.utf8-plain-text|abc1|public.png|" + QByteArray("\x00\x01", 2)));
        QCOMPARE(Representation::checksum({accented}), sha256("0|tipo.\xc3\xa9|"));
    }

    void itemEqualityIgnoresWhatTheCardDoesNotDraw()
    {
        ClipItem a;
        a.id = u"A"_qs;
        a.createdAt = 10;
        a.title = u"hello"_qs;
        a.tabIDs = {u"B1"_qs, u"B2"_qs};

        ClipItem b = a;
        b.kind = ClipKind::Link;
        b.sourceAppID = u"org.kde.kate"_qs;
        b.sourceName = u"Kate"_qs;
        b.totalBytes = 99;
        b.thumbnail = QByteArray("png");
        b.tabIDs = {u"B2"_qs, u"B1"_qs}; // a set: order does not matter
        QVERIFY(a == b);

        for (auto change : std::initializer_list<std::function<void(ClipItem &)>>{
                 [](ClipItem &i) { i.customTitle = QString(); }, // absent and empty differ
                 [](ClipItem &i) { i.createdAt = 11; },
                 [](ClipItem &i) { i.title = u"other"_qs; },
                 [](ClipItem &i) { i.inHistory = false; },
                 [](ClipItem &i) { i.tabIDs.insert(u"B3"_qs); },
             }) {
            ClipItem d = a;
            change(d);
            QVERIFY(!(a == d));
        }
    }

    void fileCardsArePresentedByTheirCategory()
    {
        ClipItem item;
        item.kind = ClipKind::File;
        item.title = u"/nowhere/a.jpg\n\n/nowhere/b.PNG\n"_qs;
        QCOMPARE(item.filePaths(), QStringList({u"/nowhere/a.jpg"_qs, u"/nowhere/b.PNG"_qs}));
        QCOMPARE(item.typeLabel(), u"2 imagens"_qs);
        QVERIFY(item.isImageLike());

        item.title = u"/nowhere/a.jpg\n/nowhere/b.pdf"_qs;
        QCOMPARE(item.typeLabel(), u"Múltiplos arquivos"_qs);
        QVERIFY(!item.isImageLike());
        // Only file cards have paths, whatever their title holds.
        item.kind = ClipKind::Text;
        QVERIFY(item.filePaths().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
