// What dragged cards offer other applications, kind by kind and several at once, and what a
// tab chip does with cards dropped on it.

#include "StripFixtures.h"
#include "strip/ui/CardDrag.h"
#include "strip/ui/DragPayload.h"

#include <QColor>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <cstring>

class TestDragPayload : public QObject
{
    Q_OBJECT

    QTemporaryDir m_cache;

    static DragPayload::Card of(ClipItem item, QList<Representation> reps)
    {
        return {std::move(item), std::move(reps)};
    }
    static QByteArray contents(const QUrl &url)
    {
        QFile f(url.toLocalFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }
    static QByteArray idsOf(const QMimeData &data)
    {
        return data.data(QString::fromLatin1(DragPayload::itemType));
    }

private Q_SLOTS:
    void initTestCase() { qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cache.path())); }

    void eachKindOffersWhatItHolds()
    {
        // Rich text: its plain text, and its HTML and RTF for applications that take them.
        const auto rich = DragPayload::build({of(card(u"R"_qs, u"título"_qs, ClipKind::RichText),
                                                 {{0, u"public.utf8-plain-text"_qs, "olá"},
                                                  {0, u"public.html"_qs, "<b>olá</b>"},
                                                  {0, u"public.rtf"_qs, "{\\rtf1 olá}"}})});
        QCOMPARE(rich->text(), u"olá"_qs);
        QCOMPARE(rich->data(u"text/html"_qs), QByteArray("<b>olá</b>"));
        QCOMPARE(rich->data(u"text/rtf"_qs), QByteArray("{\\rtf1 olá}"));
        QCOMPARE(idsOf(*rich), QByteArray("R"));
        // Text without a plain representation falls back to its title.
        QCOMPARE(DragPayload::build({of(card(u"T"_qs, u"só o título"_qs), {})})->text(),
                 u"só o título"_qs);

        // A link: the address as a URL and as text.
        const auto link = DragPayload::build(
            {of(card(u"L"_qs, u"https://exemplo.com.br/a?b=1"_qs, ClipKind::Link), {})});
        QCOMPARE(link->urls(), QList{QUrl(u"https://exemplo.com.br/a?b=1"_qs)});
        QCOMPARE(link->text(), u"https://exemplo.com.br/a?b=1"_qs);

        // A colour: the colour itself and its "#RRGGBB".
        const quint16 rgba[4] = {0xFFFF, 0x8080, 0x0000, 0xFFFF};
        QByteArray stored(8, 0);
        std::memcpy(stored.data(), rgba, sizeof rgba);
        const auto color = DragPayload::build(
            {of(card(u"C"_qs, QString(), ClipKind::Color), {{0, u"com.apple.cocoa.pasteboard.color"_qs, stored}})});
        QCOMPARE(color->colorData().value<QColor>().name(), u"#ff8000"_qs);
        QCOMPARE(color->text(), u"#FF8000"_qs);

        // Files: their URIs and paths; a file card whose URIs are unreadable offers nothing.
        const auto files = DragPayload::build(
            {of(card(u"F"_qs, QString(), ClipKind::File),
                {{0, u"public.file-url"_qs, "file:///home/u/um%20doc.pdf"},
                 {1, u"public.file-url"_qs, "\xff\xfe"},
                 {2, u"public.file-url"_qs, "file:///home/u/b.txt"}})});
        QCOMPARE(files->urls(), (QList{QUrl(u"file:///home/u/um%20doc.pdf"_qs),
                                       QUrl(u"file:///home/u/b.txt"_qs)}));
        QCOMPARE(files->text(), u"/home/u/um doc.pdf\n/home/u/b.txt"_qs);
        QVERIFY(!DragPayload::build({of(card(u"F"_qs, QString(), ClipKind::File),
                                        {{0, u"public.file-url"_qs, "\xff\xfe"}})}));
    }

    void picturesBecomeCardFiles()
    {
        // An image with only TIFF data still goes out as a file, and as the data itself.
        ClipItem photo = card(u"P"_qs, QString(), ClipKind::Image);
        photo.customTitle = u"férias/praia"_qs;
        const auto image = DragPayload::build({of(photo, {{0, u"public.tiff"_qs, "II*TIFF"}})});
        QCOMPARE(image->urls().size(), 1);
        QCOMPARE(image->urls().first().toLocalFile(),
                 m_cache.path() + u"/Varu/Drag/férias-praia.tiff"_qs);
        QCOMPARE(contents(image->urls().first()), QByteArray("II*TIFF"));
        QCOMPARE(image->data(u"image/tiff"_qs), QByteArray("II*TIFF"));

        // Two untitled pictures dragged in the same second get a file each, each with its own
        // content (the second once replaced the first).
        const auto two = DragPayload::build(
            {of(card(u"A"_qs, QString(), ClipKind::Image), {{0, u"public.png"_qs, "PNG-A"}}),
             of(card(u"B"_qs, QString(), ClipKind::Pdf), {{0, u"com.adobe.pdf"_qs, "%PDF-B"}}),
             of(card(u"C"_qs, QString(), ClipKind::Image), {{0, u"public.png"_qs, "PNG-C"}})});
        const QList<QUrl> urls = two->urls();
        QCOMPARE(urls.size(), 3);
        QCOMPARE(contents(urls.at(0)), QByteArray("PNG-A"));
        QCOMPARE(contents(urls.at(1)), QByteArray("%PDF-B"));
        QCOMPARE(contents(urls.at(2)), QByteArray("PNG-C"));
        // Of the data, the first card's wins.
        QCOMPARE(two->data(u"image/png"_qs), QByteArray("PNG-A"));
    }

    void severalCardsGoTogether()
    {
        // Texts line after line, URLs in order, every card's id for the tab chips; a card with
        // nothing to offer is left out.
        const auto mixed = DragPayload::build(
            {of(card(u"T"_qs, u"um"_qs), {{0, u"public.utf8-plain-text"_qs, "um"}}),
             of(card(u"X"_qs, QString(), ClipKind::File), {}),
             of(card(u"L"_qs, u"https://a.br"_qs, ClipKind::Link), {}),
             of(card(u"F"_qs, QString(), ClipKind::File),
                {{0, u"public.file-url"_qs, "file:///tmp/c"}})});
        QCOMPARE(mixed->text(), u"um\nhttps://a.br\n/tmp/c"_qs);
        QCOMPARE(mixed->urls(), (QList{QUrl(u"https://a.br"_qs), QUrl(u"file:///tmp/c"_qs)}));
        QCOMPARE(DragPayload::cardIDs(idsOf(*mixed)), (QStringList{u"T"_qs, u"L"_qs, u"F"_qs}));
    }

    void tabChipsTakeTheStripsCards()
    {
        RecordingActions actions;
        StripModel model;
        model.setActions(&actions);
        const UserTab work = userTab(u"W"_qs, u"Trabalho"_qs);
        model.setData(cards(u"ABC"_qs), {work}, {});
        CardDrag drag(model);

        // Hovering marks the chip; the history's chip and unknown tabs refuse.
        QVERIFY(drag.enterTab(u"W"_qs));
        QCOMPARE(model.dropTarget(), std::optional(Tab::userTab(u"W"_qs)));
        QVERIFY(!drag.enterTab(QString()) && !drag.enterTab(u"gone"_qs));
        drag.leaveTab(u"other"_qs);
        QVERIFY(model.dropTarget().has_value()); // another chip's leave does not clear it

        // A drop pins every card it carries, in order, and clears the mark; ids this strip
        // does not show (another instance's) are skipped, and a drop of none is refused.
        QVERIFY(drag.dropOnTab(u"W"_qs, u"C\nZ\nA\n"_qs));
        QCOMPARE(actions.calls, (QStringList{u"add C to W"_qs, u"add A to W"_qs}));
        QVERIFY(!model.dropTarget());
        QVERIFY(!drag.dropOnTab(u"W"_qs, u"Z"_qs));
        QVERIFY(!drag.dropOnTab(QString(), u"A"_qs));
        QCOMPARE(actions.calls.size(), 2);
    }
};

QTEST_MAIN(TestDragPayload)
#include "tst_dragpayload.moc"
