// Paste-back: which cards merge into one text, how representations become clipboard items,
// the keystroke chosen for the focused window, and focus going back to the user's window.

#include "capture/PasteTarget.h"
#include "capture/Paster.h"
#include "platform/fake/FakeKeyInjector.h"
#include "platform/fake/FakeKeyboardLayout.h"
#include "platform/fake/FakePasteboard.h"
#include "platform/fake/FakeWindowFocus.h"

#include <QTest>

namespace {

const QString kText = QStringLiteral("public.utf8-plain-text");
const QString kRtf = QStringLiteral("public.rtf");
const QString kHtml = QStringLiteral("public.html");
const QString kPng = QStringLiteral("public.png");
const QString kFile = QStringLiteral("public.file-url");
const QString kColor = QStringLiteral("com.apple.cocoa.pasteboard.color");

Representation rep(qint64 index, const QString &type, const QByteArray &data)
{
    return {index, type, data};
}
QList<Representation> textCard(const QByteArray &text)
{
    return {rep(0, kText, text)};
}
QList<Representation> richCard()
{
    return {rep(0, kRtf, "{\\rtf1 bold}"), rep(0, kHtml, "<b>bold</b>"), rep(0, kText, "bold")};
}
QList<Representation> imageCard()
{
    return {rep(0, kPng, QByteArray("\x89PNG\r\n\x1a\n\0\0", 10))};
}
PasteboardItem item(QList<std::pair<QString, QByteArray>> entries)
{
    return {std::move(entries)};
}
PasteboardItem itemOf(const QList<Representation> &reps)
{
    PasteboardItem out;
    for (const Representation &r : reps)
        out.entries.append({r.type, r.data});
    return out;
}

} // namespace

class TestPaster : public QObject
{
    Q_OBJECT

    FakePasteboard board;
    FakeKeyboardLayout layout;
    FakeKeyInjector keys;
    FakeWindowFocus focus;

    void reset()
    {
        board = {};
        layout.clear();
        keys = {};
        focus = {};
    }

private Q_SLOTS:
    void init() { reset(); }

    void severalTextCardsMergeIntoOneText()
    {
        Paster paster(board, layout, keys, focus);
        // Rich text joins with its plain text only; trailing white space is kept as stored.
        paster.write({textCard("first "), richCard(), textCard("ção\n")}, false);
        QCOMPARE(board.items(), QList<PasteboardItem>{item({{kText, "first \nbold\nção\n"}})});
        QCOMPARE(board.writeCount(), 1);

        // The first plain text of a card is its text; plain-text-only changes nothing here.
        paster.write({{rep(0, kText, "a"), rep(1, kText, "b")}, textCard("")}, true);
        QCOMPARE(board.items(), QList<PasteboardItem>{item({{kText, "a\n"}})});
    }

    void refusedMergeWritesEveryCardUnchanged_data()
    {
        QTest::addColumn<QList<QList<Representation>>>("cards");
        QTest::newRow("text and image")
            << QList<QList<Representation>>{textCard("hi"), imageCard()};
        QTest::newRow("image card that also has text")
            << QList<QList<Representation>>{textCard("hi"), imageCard() + textCard("caption")};
        QTest::newRow("files carry text too") << QList<QList<Representation>>{
            textCard("hi"),
            {rep(0, kFile, "file:///a"), rep(0, kText, "/a"), rep(1, kFile, "file:///b")}};
        QTest::newRow("card without text (a colour)")
            << QList<QList<Representation>>{textCard("hi"), {rep(0, kColor, "\x01\x02")}};
        QTest::newRow("text that is not UTF-8")
            << QList<QList<Representation>>{textCard("hi"), textCard("caf\xe9")};
        QTest::newRow("pdf") << QList<QList<Representation>>{
            textCard("x"), {rep(0, u"com.adobe.pdf"_qs, "%PDF-1.4"), rep(0, kText, "x")}};
    }
    void refusedMergeWritesEveryCardUnchanged()
    {
        QFETCH(QList<QList<Representation>>, cards);
        QVERIFY(!Paster::mergedText(cards));
        Paster paster(board, layout, keys, focus);
        paster.write(cards, false);
        QList<PasteboardItem> expected;
        for (const auto &card : cards)
            expected += Paster::items({card}, false);
        QCOMPARE(board.items(), expected);
        // Byte for byte: nothing of the first card was decoded or re-encoded.
        QCOMPARE(board.items().first(), item({{kText, cards.first().first().data}}));
    }

    void representationsGroupIntoItemsByIndex()
    {
        // Three files stored out of order go back as three items in index order, and
        // representations of one index stay together in stored order.
        const QList<Representation> files = {rep(2, kFile, "file:///c"), rep(0, kFile, "file:///a"),
                                             rep(1, kFile, "file:///b"), rep(0, kText, "/a")};
        QCOMPARE(
            Paster::items({files}, false),
            (QList<PasteboardItem>{item({{kFile, "file:///a"}, {kText, "/a"}}),
                                   item({{kFile, "file:///b"}}), item({{kFile, "file:///c"}})}));

        // One card alone never merges, and several cards keep card order.
        Paster paster(board, layout, keys, focus);
        paster.write({richCard()}, false);
        QCOMPARE(board.items(), QList<PasteboardItem>{itemOf(richCard())});
        paster.write({imageCard(), files}, false);
        QCOMPARE(board.items().size(), 4);
        QCOMPARE(board.items().first(), itemOf(imageCard()));
    }

    void plainTextOnly()
    {
        Paster paster(board, layout, keys, focus);
        paster.write({richCard()}, true);
        QCOMPARE(board.items(), QList<PasteboardItem>{item({{kText, "bold"}})});

        // A card without plain text keeps everything it has.
        paster.write({imageCard()}, true);
        QCOMPARE(board.items(), QList<PasteboardItem>{itemOf(imageCard())});

        // Plain texts of several indexes stay separate items.
        paster.write({{rep(1, kHtml, "<i>b</i>"), rep(1, kText, "b"), rep(0, kText, "a")}}, true);
        QCOMPARE(board.items(),
                 (QList<PasteboardItem>{item({{kText, "a"}}), item({{kText, "b"}})}));
    }

    void nothingToWriteClearsTheClipboard()
    {
        board.simulateCopy({item({{kText, "old"}})});
        Paster paster(board, layout, keys, focus);
        paster.write({}, false);
        QVERIFY(board.items().isEmpty());
    }

    void keystrokeFollowsTheLayoutAndTheTarget()
    {
        Paster paster(board, layout, keys, focus);
        focus.addWindow(1, {u"kate"_qs, u"kate"_qs});
        focus.addWindow(2, {u"xterm"_qs, u"XTerm"_qs});
        focus.addWindow(3, {u"gnome-terminal-server"_qs, u"Gnome-terminal"_qs});
        focus.setActive(1);
        board.simulateCopy({item({{kText, "pasted"}})});

        layout.setKey(u"v"_qs, 60); // V elsewhere, as on Dvorak
        paster.sendCommandV();
        layout.clear(); // a layout without any key for "v"
        layout.setFallback(55);
        paster.sendCommandV();
        QCOMPARE(keys.sent(), (QList<QString>{u"ctrl+60"_qs, u"ctrl+55"_qs}));
        QVERIFY(board.primary().isEmpty());

        // Terminals paste the primary selection with Shift+Insert.
        for (WindowId terminal : {2u, 3u}) {
            keys = {};
            focus.setActive(terminal);
            paster.sendCommandV();
            QCOMPARE(keys.sent(), QList<QString>{u"shift+insert"_qs});
            QCOMPARE(board.primary(), board.items());
        }

        // No window has the keyboard: the keystroke still goes out, as Ctrl+V.
        keys = {};
        focus.setActive(std::nullopt);
        paster.sendCommandV();
        QCOMPARE(keys.sent(), QList<QString>{u"ctrl+55"_qs});
    }

    void terminalsAreRecognisedByClass()
    {
        QVERIFY(Paster::isTerminal({u"Alacritty"_qs, u"Alacritty"_qs}));
        QVERIFY(Paster::isTerminal({u"kitty"_qs, u"kitty"_qs}));
        QVERIFY(Paster::isTerminal({u"urxvt"_qs, u"URxvt"_qs}));
        QVERIFY(Paster::isTerminal({u"org.wezfurlong.wezterm"_qs}));
        QVERIFY(!Paster::isTerminal({u"terminal-notes"_qs, u"Notes"_qs}));
        QVERIFY(!Paster::isTerminal({}));
    }

    void focusGoesBackToTheRememberedWindow()
    {
        focus.addWindow(1, {u"editor"_qs});
        focus.addWindow(9, {u"varu"_qs});
        focus.setActive(1);
        PasteTarget target(focus);
        target.setOwnWindow(9);
        target.remember();

        // The strip takes the keyboard; showing it again keeps the user's window.
        focus.setActive(9);
        target.remember();
        QCOMPARE(target.remembered(), std::optional<WindowId>(1));

        QVERIFY(target.restore());
        QCOMPARE(focus.activeWindow(), std::optional<WindowId>(1));
        QCOMPARE(focus.activations(), QList<WindowId>{1});
        QVERIFY(!target.remembered());
        QVERIFY(!target.restore()); // forgotten after one restore

        // Already active again (a window manager did it): no activation request.
        target.remember();
        QVERIFY(target.restore());
        QCOMPARE(focus.activations().size(), 1);

        // The window closed while the strip was up.
        target.remember();
        focus.setActive(9);
        focus.closeWindow(1);
        QVERIFY(!target.restore());

        // Nothing had the keyboard when the strip opened.
        focus.setActive(std::nullopt);
        target.remember();
        QVERIFY(!target.remembered());
        QVERIFY(!target.restore());
    }
};

QTEST_GUILESS_MAIN(TestPaster)
#include "tst_paster.moc"
