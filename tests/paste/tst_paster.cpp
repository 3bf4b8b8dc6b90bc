// Paste-back: which cards merge into one text, how representations become clipboard items,
// the keystroke chosen for the focused window, and focus going back to the user's window.

#include "paste/PasteTarget.h"
#include "paste/Paster.h"
#include "platform/fake/FakeKeyInjector.h"
#include "platform/fake/FakeKeyboardLayout.h"
#include "platform/fake/FakeClipboard.h"
#include "platform/fake/FakeWindowFocus.h"

#include <QTest>

namespace {

const QString kText = QStringLiteral("public.utf8-plain-text");
const QString kFile = QStringLiteral("public.file-url");

using Card = QList<Representation>;
using Entries = QList<std::pair<QString, QByteArray>>;

Card text(const QByteArray &t)
{
    return {{0, kText, t}};
}
const Card rich = {{0, u"public.rtf"_qs, "{\\rtf1 bold}"},
                   {0, u"public.html"_qs, "<b>bold</b>"},
                   {0, kText, "bold"}};
const Card image = {{0, u"public.png"_qs, QByteArray("\x89PNG\r\n\x1a\n\0\0", 10)}};

ClipboardItem item(const Entries &entries)
{
    return {entries};
}

} // namespace

class TestPaster : public QObject
{
    Q_OBJECT

    FakeClipboard clipboard;
    FakeKeyboardLayout layout;
    FakeKeyInjector keys;
    FakeWindowFocus focus;
    Paster paster{clipboard, layout, keys, focus};

private Q_SLOTS:
    void init()
    {
        clipboard = {};
        layout.clear();
        keys = {};
        focus = {};
    }

    void severalTextCardsMergeIntoOneText()
    {
        // Rich text joins with its plain text only; white space is kept as stored.
        paster.write({text("first "), rich, text("ção\n")}, false);
        QCOMPARE(clipboard.items(), QList{item({{kText, "first \nbold\nção\n"}})});
        // The first plain text of a card is its text, whatever plain-text-only says.
        paster.write({{{0, kText, "a"}, {1, kText, "b"}}, text("")}, true);
        QCOMPARE(clipboard.items(), QList{item({{kText, "a\n"}})});
    }

    void refusedMergeWritesEveryCardUnchanged_data()
    {
        QTest::addColumn<Card>("second");
        QTest::newRow("image") << image;
        QTest::newRow("files with text") << Card{{0, kFile, "file:///a"}, {0, kText, "/a"}};
        QTest::newRow("text that is not UTF-8") << text("caf\xe9");
    }
    void refusedMergeWritesEveryCardUnchanged()
    {
        QFETCH(Card, second);
        paster.write({text("hi"), second}, false);
        ClipboardItem rest;
        for (const Representation &r : second)
            rest.entries.append({r.type, r.data});
        QCOMPARE(clipboard.items(), (QList{item({{kText, "hi"}}), rest}));
    }

    void representationsGroupIntoItemsByIndex()
    {
        // Three files stored out of order go back as three items in index order; one index's
        // representations stay together in stored order; cards keep their order.
        const Card files = {{2, kFile, "file:///c"},
                            {0, kFile, "file:///a"},
                            {1, kFile, "file:///b"},
                            {0, kText, "/a"}};
        paster.write({image, files}, false);
        QCOMPARE(clipboard.items(),
                 (QList{item({{image.first().type, image.first().data}}),
                        item({{kFile, "file:///a"}, {kText, "/a"}}), item({{kFile, "file:///b"}}),
                        item({{kFile, "file:///c"}})}));

        paster.write({rich}, false); // one card never merges
        QCOMPARE(clipboard.items().size(), 1);
        QCOMPARE(clipboard.items().first().entries.size(), 3);
        paster.write({}, false);
        QVERIFY(clipboard.items().isEmpty());
    }

    void plainTextOnly()
    {
        paster.write({rich}, true);
        QCOMPARE(clipboard.items(), QList{item({{kText, "bold"}})});
        paster.write({image}, true); // nothing plain: everything stays
        QCOMPARE(clipboard.items(), QList{item({{image.first().type, image.first().data}})});
        paster.write({{{1, u"public.html"_qs, "<i>b</i>"}, {1, kText, "b"}, {0, kText, "a"}}},
                     true);
        QCOMPARE(clipboard.items(), (QList{item({{kText, "a"}}), item({{kText, "b"}})}));
    }

    void colourCardsAlsoOfferTheirHex()
    {
        const quint16 channels[4] = {0xE8E8, 0xB7B7, 0x3030, 0xFFFF};
        const QByteArray rgba(reinterpret_cast<const char *>(channels), sizeof channels);
        const Card colour = {{0, u"com.apple.cocoa.pasteboard.color"_qs, rgba}};
        paster.write({colour}, false);
        QCOMPARE(clipboard.items(), QList{item({{colour.first().type, rgba}, {kText, "#E8B730"}})});
        paster.write({colour}, true);
        QCOMPARE(clipboard.items(), QList{item({{kText, "#E8B730"}})});
        // A copy that brought its own text keeps it; malformed colour bytes add nothing.
        const Card named = {colour.first(), {0, kText, "amarelo"}};
        paster.write({named}, false);
        QCOMPARE(clipboard.items(), QList{item({{colour.first().type, rgba}, {kText, "amarelo"}})});
        const Card broken = {{0, colour.first().type, "abc"}};
        paster.write({broken}, false);
        QCOMPARE(clipboard.items(), QList{item({{broken.first().type, "abc"}})});
    }

    void keystrokeFollowsTheLayoutAndTheTarget()
    {
        focus.addWindow(1, {u"kate"_qs, u"kate"_qs});
        focus.addWindow(2, {u"gnome-terminal-server"_qs, u"Gnome-terminal"_qs});
        focus.setActive(1);
        clipboard.simulateCopy({item({{kText, "pasted"}})});
        layout.setKey(u"v"_qs, 60); // V elsewhere, as on Dvorak
        paster.sendPasteKeystroke();
        layout.clear(); // a layout without any key for "v"
        layout.setFallback(55);
        paster.sendPasteKeystroke();
        QCOMPARE(keys.sent(), (QList{u"ctrl+60"_qs, u"ctrl+55"_qs}));
        QVERIFY(clipboard.primary().isEmpty());

        // Terminals paste the primary selection with Shift+Insert.
        keys = {};
        focus.setActive(2);
        paster.sendPasteKeystroke();
        QCOMPARE(keys.sent(), QList{u"shift+insert"_qs});
        QCOMPARE(clipboard.primary(), clipboard.items());
    }

    void focusGoesBackToTheRememberedWindow()
    {
        focus.addWindow(1, {u"editor"_qs});
        focus.addWindow(9, {u"varu"_qs});
        focus.setActive(1);
        PasteTarget target(focus);
        target.setOwnWindow(9);
        target.remember();
        focus.setActive(9); // the strip takes the keyboard; showing it again keeps the target
        target.remember();
        QVERIFY(target.restore());
        QCOMPARE(focus.activeWindow(), std::optional<WindowId>(1));
        QVERIFY(!target.restore()); // forgotten after one restore

        target.remember(); // the window closed while the strip was up
        focus.setActive(9);
        focus.closeWindow(1);
        QVERIFY(!target.restore());
    }
};

QTEST_GUILESS_MAIN(TestPaster)
#include "tst_paster.moc"
