// The shell's strip commands against a real store: what paste and copy write and when, which
// cards move to the top, the keystroke, removals from the history and from tabs, and which
// tab the strip shows after tab commands.

#include "ShellFixtures.h"

#include "app/ShellCommands.h"
#include "app/StripWindow.h"
#include "paste/PasteTarget.h"
#include "capture/ClipboardMonitor.h"
#include "paste/Paster.h"
#include "platform/SoundPlayer.h"
#include "platform/fake/FakeFrontmostApp.h"
#include "platform/fake/FakeKeyInjector.h"
#include "platform/fake/FakeKeyboardLayout.h"
#include "platform/fake/FakeClipboard.h"
#include "platform/fake/FakeWindowFocus.h"
#include "settings/VaruSound.h"

namespace {

struct RecordingPlayer : SoundPlayer
{
    QStringList played;
    bool play(const QString &resource, double) override { return played << resource, true; }
};

// The strip slides out only when the test says so.
struct FakeStrip : StripWindow
{
    std::function<void()> pending;
    int hides = 0;
    bool shown = true;
    void show() override { shown = true; }
    void hide(std::function<void()> completion) override { ++hides, pending = completion; }
    bool isVisible() const override { return shown; }
    bool isHiding() const override { return bool(pending); }
    void finishHiding()
    {
        shown = false;
        std::exchange(pending, {})();
    }
};

struct Rig : ShellRig
{
    FakeClipboard clipboard;
    FakeFrontmostApp apps;
    FakeKeyboardLayout layout;
    FakeKeyInjector keys;
    FakeWindowFocus focus;
    RecordingPlayer player;
    VaruSound sound{player};
    Paster paster{clipboard, layout, keys, focus};
    PasteTarget target{focus};
    ClipboardMonitor monitor{clipboard, apps, CaptureRules()};
    FakeStrip strip;
    ShellCommands commands{{funnel, model, paster, target, monitor, sound, keys}};
    int captures = 0;

    Rig()
    {
        layout.setKey(u"v"_qs, 55);
        focus.addWindow(7, {u"editor"_qs});
        focus.setActive(7);
        target.remember(); // the strip opened over window 7 and took the keyboard
        focus.setActive(99);
        commands.setStrip(&strip);
        commands.setKeystrokeDelay(0);
        monitor.setTiming({24 * 3600 * 1000, 0}); // polled by hand, no quiet period
        QObject::connect(&monitor, &ClipboardMonitor::captured, [this] { ++captures; });
        monitor.start();
    }
    double createdAt(const QString &id)
    {
        return value("SELECT created_at FROM items WHERE id = ?", {id}).toDouble();
    }
    // By now the monitor would have recorded the write, had it not been told it was ours.
    bool writeWasCaptured()
    {
        monitor.poll();
        runQueued();
        return captures > 0;
    }
};

} // namespace

class TestShellCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pasteWritesOnceTheStripIsGoneThenTouchesAndTypes()
    {
        Rig r;
        const QString a = r.capture(u"alfa"_qs, 100);
        const QString b = r.capture(u"beta"_qs, 200);
        const QString c = r.capture(u"gama"_qs, 300); // kept only in a tab
        QVERIFY(r.settle([c](Store &s) {
            s.add(c, s.createTab(u"Fixos"_qs, u"#5B8DEF"_qs));
            s.removeFromHistory({c});
        }));

        r.commands.paste({r.card(a), r.card(c)}, false);
        QCOMPARE(r.clipboard.writeCount(), 0);
        r.strip.finishHiding();
        QCOMPARE(r.focus.activations(), QList<WindowId>{7});
        QCOMPARE(r.clipboard.data(0, u"public.utf8-plain-text"_qs), QByteArray("alfa\ngama"));
        QCOMPARE(r.player.played, QStringList{u"Varu-Colar"_qs});
        QVERIFY(r.keys.sent().isEmpty());
        runQueued();
        QCOMPARE(r.keys.sent(), QList<QString>{u"ctrl+55"_qs});
        QVERIFY(r.settle());
        QVERIFY(r.createdAt(a) > 1e9);
        QCOMPARE(r.createdAt(b), 200.0);
        QCOMPARE(r.createdAt(c), 300.0);
        QVERIFY(!r.writeWasCaptured());
    }

    void pasteVariantsAndCopy()
    {
        Rig r;
        const QString rich = r.capture(u"rico"_qs, 100);
        r.capture(u"outro"_qs, 200);
        QVERIFY(r.settle());

        // Cards without stored content are skipped; with none left nothing happens.
        ClipItem gone = r.card(rich);
        gone.id = u"00000000-0000-0000-0000-000000000000"_qs;
        r.commands.paste({gone}, false);
        QCOMPARE(r.strip.hides, 0);

        // Plain text only; without XTest nothing is typed and the card waits on the clipboard.
        r.keys.setTrusted(false);
        r.commands.paste({gone, r.card(rich)}, true);
        r.strip.finishHiding();
        QCOMPARE(r.clipboard.types(0), QStringList{u"public.utf8-plain-text"_qs});

        // Copy: whole, with the copy sound, and the strip stays.
        r.commands.copy({r.card(rich)});
        QCOMPARE(r.strip.hides, 1);
        QCOMPARE(r.clipboard.types(0).size(), 2);
        QCOMPARE(r.player.played, (QStringList{u"Varu-Colar"_qs, u"Varu-Gota"_qs}));
        runQueued();
        QVERIFY(r.keys.sent().isEmpty());
        QVERIFY(!r.writeWasCaptured());

        // Reopened before the keystroke: it would land in the strip's own search field.
        r.keys.setTrusted(true);
        r.commands.paste({r.card(rich)}, false);
        r.strip.finishHiding();
        r.strip.show();
        runQueued();
        QVERIFY(r.keys.sent().isEmpty());

        // A copy made just before is recorded, not hidden by our write.
        r.clipboard.simulateCopy({ClipboardItem{{{u"public.utf8-plain-text"_qs, "fresh"}}}});
        r.monitor.poll();
        r.commands.copy({r.card(rich)});
        QCOMPARE(r.captures, 1);
    }

    void deletingFromTheHistoryKeepsTabsAndTheLastPlaceDeletes()
    {
        Rig r;
        const QString a = r.capture(u"alfa"_qs, 100);
        const QString b = r.capture(u"beta"_qs, 200);
        QString userTab;
        QVERIFY(
            r.settle([&](Store &s) { s.add(a, userTab = s.createTab(u"T"_qs, u"#5B8DEF"_qs)); }));

        r.commands.deleteItems({r.card(a), r.card(b)}, Tab::history());
        QVERIFY(r.settle());
        QVERIFY(r.model.history().isEmpty());
        QCOMPARE(r.value("SELECT COUNT(*) FROM items"), u"1"_qs);
        r.commands.deleteItems({r.card(a)}, Tab::userTab(userTab));
        QVERIFY(r.settle());
        QCOMPARE(r.value("SELECT COUNT(*) FROM items"), u"0"_qs);
    }

    void tabCommandsLeaveTheStripWhereTheUserExpects()
    {
        Rig r;
        r.model.setActions(&r.commands);
        const QString a = r.capture(u"alfa"_qs, 100);
        const QString b = r.capture(u"beta"_qs, 200);
        QVERIFY(r.settle());

        // From cards: they go in, and the strip stays on the history.
        r.commands.createTab(u"Com cards"_qs, u"#A57BEB"_qs, {a, b});
        QVERIFY(r.settle());
        QVERIFY(r.model.tab().isHistory());
        const QString withCards = r.model.tabs().first().id;
        QCOMPARE(r.model.tabItems().value(withCards).size(), 2);

        // Empty: it opens.
        r.commands.createTab(u"Vazia"_qs, u"#EB6F92"_qs, {});
        QVERIFY(r.settle());
        QVERIFY(r.model.tab().isUserTab());
        const QString empty = r.model.tab().tabID();
        QCOMPARE(r.model.userTab(empty)->name, u"Vazia"_qs);

        // Deleting the open tab goes back to the history before the store is touched.
        r.commands.deleteTab(empty);
        QVERIFY(r.model.tab().isHistory() && r.model.userTab(empty));
        QVERIFY(r.settle());
        QVERIFY(!r.model.userTab(empty));
    }
};

QTEST_GUILESS_MAIN(TestShellCommands)
#include "tst_shellcommands.moc"
