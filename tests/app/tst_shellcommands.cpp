// The shell's strip commands against a real store: what paste and copy write, which cards
// move to the top, the keystroke after the strip has gone, removals from the history and
// from tabs, edits that become links, and which tab the strip shows after tab commands.

#include "ShellFixtures.h"

#include "app/ShellCommands.h"
#include "app/StripWindow.h"
#include "capture/PasteTarget.h"
#include "capture/PasteboardMonitor.h"
#include "capture/Paster.h"
#include "platform/SoundPlayer.h"
#include "platform/fake/FakeFrontmostApp.h"
#include "platform/fake/FakeKeyInjector.h"
#include "platform/fake/FakeKeyboardLayout.h"
#include "platform/fake/FakePasteboard.h"
#include "platform/fake/FakeWindowFocus.h"
#include "settings/VaruSound.h"

namespace {

struct RecordingPlayer : SoundPlayer
{
    QStringList played;
    bool play(const QString &resource, double) override
    {
        played << resource;
        return true;
    }
};

// The strip slides out only when the test says so.
struct FakeStrip : StripWindow
{
    bool visible = true;
    std::function<void()> pending;
    int hides = 0;
    void show() override { visible = true; }
    void hide(std::function<void()> completion) override
    {
        ++hides;
        pending = std::move(completion);
    }
    bool isVisible() const override { return visible; }
    bool isHiding() const override { return bool(pending); }
    void finishHiding()
    {
        visible = false;
        if (auto done = std::exchange(pending, {}))
            done();
    }
};

QByteArray textOn(FakePasteboard &board)
{
    return board.itemCount() ? board.data(0, u"public.utf8-plain-text"_qs).value_or("") : "";
}

} // namespace

class TestShellCommands : public QObject
{
    Q_OBJECT

    struct Rig : ShellRig
    {
        FakePasteboard board;
        FakeFrontmostApp apps;
        FakeKeyboardLayout layout;
        FakeKeyInjector keys;
        FakeWindowFocus focus;
        RecordingPlayer player;
        VaruSound sound{player};
        Paster paster{board, layout, keys, focus};
        PasteTarget target{focus};
        PasteboardMonitor monitor{board, apps, CaptureRules()};
        FakeStrip strip;
        ShellCommands commands{{funnel, model, paster, target, monitor, sound, keys}};
        int captures = 0;

        Rig()
        {
            layout.setKey(u"v"_qs, 55);
            focus.addWindow(7, {u"editor"_qs, u"Editor"_qs});
            focus.setActive(7);
            target.remember();   // the strip opened over window 7
            focus.setActive(99); // and took the keyboard
            commands.setStrip(&strip);
            model.setActions(&commands);
            monitor.onCapture = [this](const CapturedClip &) { ++captures; };
            monitor.start();
        }
        double createdAt(const QString &id)
        {
            return value("SELECT created_at FROM items WHERE id = ?", {id}).toDouble();
        }
        // The monitor would have recorded the write by now, were it not told it was ours.
        bool writeWasCaptured()
        {
            monitor.poll();
            QTest::qWait(PasteboardMonitor::kQuietPeriodMs + 100);
            return captures > 0;
        }
    };

private Q_SLOTS:
    void pasteWritesAfterTheStripHasGoneThenTouchesAndTypes()
    {
        Rig r;
        const QString a = r.capture(u"alfa"_qs, 100);
        const QString b = r.capture(u"beta"_qs, 200);
        // A card kept only in a tab keeps its time when pasted.
        const QString c = r.capture(u"gama"_qs, 300);
        QVERIFY(r.settle([c](Store &s) {
            s.add(c, s.createBoard(u"Fixos"_qs, u"#5B8DEF"_qs));
            s.removeFromHistory({c});
        }));
        const std::optional<ClipItem> gama = r.card(c);
        QVERIFY(gama);

        r.commands.paste({*r.card(a), *gama}, false);
        QCOMPARE(r.strip.hides, 1);
        QCOMPARE(r.board.writeCount(), 0); // nothing until the strip is gone
        r.strip.finishHiding();

        QCOMPARE(r.focus.activations().value(0), WindowId(7));
        QCOMPARE(textOn(r.board), QByteArray("alfa\ngama"));
        QCOMPARE(r.player.played, QStringList{u"Varu-Colar"_qs});
        QVERIFY(r.keys.sent().isEmpty());
        QTRY_COMPARE(r.keys.sent(), QList<QString>{u"ctrl+55"_qs});
        QVERIFY(r.settle());
        QVERIFY(r.createdAt(a) > 1e9);
        QCOMPARE(r.createdAt(b), 200.0);
        QCOMPARE(r.createdAt(c), 300.0);
        QCOMPARE(r.model.history().first().id, a);
        QVERIFY(!r.writeWasCaptured());
    }

    void pasteVariants()
    {
        Rig r;
        const QString rich = r.capture(u"rico"_qs, 100);
        QVERIFY(r.settle());

        // Cards without stored content are skipped; with none left nothing happens at all.
        ClipItem gone = *r.card(rich);
        gone.id = u"00000000-0000-0000-0000-000000000000"_qs;
        r.commands.paste({gone}, false);
        QCOMPARE(r.strip.hides, 0);

        // Plain text only: the rich card goes back without its HTML.
        r.commands.paste({gone, *r.card(rich)}, true);
        r.strip.finishHiding();
        QCOMPARE(r.board.items().size(), 1);
        QCOMPARE(r.board.types(0), QStringList{u"public.utf8-plain-text"_qs});

        // Without XTest the card stays on the clipboard and nothing is typed.
        r.keys.setTrusted(false);
        r.commands.paste({*r.card(rich)}, false);
        r.strip.finishHiding();
        QCOMPARE(r.board.types(0).size(), 2);
        QTest::qWait(ShellCommands::kKeystrokeDelayMs * 3);
        QCOMPARE(r.keys.sent().size(), 1); // the first paste's only
    }

    void copyKeepsTheStripAndWritesWhole()
    {
        Rig r;
        const QString a = r.capture(u"alfa"_qs, 100);
        r.capture(u"beta"_qs, 200);
        QVERIFY(r.settle());
        r.sound.setCopyStyle(u"grude"_qs);

        r.commands.copy({*r.card(a)});
        QCOMPARE(r.strip.hides, 0);
        QCOMPARE(r.board.types(0), (QStringList{u"public.utf8-plain-text"_qs, u"public.html"_qs}));
        QCOMPARE(r.player.played, QStringList{u"Varu-Grude"_qs});
        QVERIFY(r.settle());
        QCOMPARE(r.model.history().first().id, a);
        QTest::qWait(ShellCommands::kKeystrokeDelayMs * 3);
        QVERIFY(r.keys.sent().isEmpty());
        QVERIFY(!r.writeWasCaptured());
    }

    void deletingFromTheHistoryKeepsTabsAndTheLastPlaceDeletes()
    {
        Rig r;
        const QString a = r.capture(u"alfa"_qs, 100);
        const QString b = r.capture(u"beta"_qs, 200);
        QString board;
        QVERIFY(r.settle([&](Store &s) {
            board = s.createBoard(u"Tab"_qs, u"#5B8DEF"_qs);
            s.add(a, board);
        }));

        r.commands.deleteItems({*r.card(a), *r.card(b)}, Tab::history());
        QVERIFY(r.settle());
        QVERIFY(r.model.history().isEmpty());
        QCOMPARE(r.model.boardItems().value(board).size(), 1);
        QCOMPARE(r.value("SELECT COUNT(*) FROM items"), u"1"_qs);

        r.commands.deleteItems({*r.card(a)}, Tab::board(board));
        QVERIFY(r.settle());
        QCOMPARE(r.value("SELECT COUNT(*) FROM items"), u"0"_qs);
    }

    void editedTextKind_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("link");
        QTest::newRow("https") << u"https://example.com/a?b=1"_qs << true;
        QTest::newRow("padded, any case") << u"  \n HTTP://Example.com \u2029"_qs << true;
        QTest::newRow("two lines") << u"https://example.com\nmais"_qs << false;
        QTest::newRow("line separator") << u"https://a.com\u2028https://b.com"_qs << false;
        QTest::newRow("other scheme") << u"ftp://example.com"_qs << false;
        QTest::newRow("no host") << u"https://"_qs << false;
        QTest::newRow("no scheme") << u"example.com"_qs << false;
        QTest::newRow("space inside") << u"https://exa mple.com"_qs << false;
    }
    void editedTextKind()
    {
        QFETCH(QString, text);
        QFETCH(bool, link);
        QCOMPARE(ShellCommands::editedTextKind(text) == ClipKind::Link, link);
    }

    void savedTextIsStoredAsTypedWithItsKind()
    {
        Rig r;
        const QString a = r.capture(u"alfa"_qs, 100);
        QVERIFY(r.settle());
        r.commands.saveText(*r.card(a), u" https://varu.example/x \n"_qs);
        QVERIFY(r.settle());
        const ClipItem edited = r.model.history().first();
        QCOMPARE(edited.kind, ClipKind::Link);
        const QList<Representation> reps = r.commands.representations(edited);
        QCOMPARE(reps.value(0).data, QByteArray(" https://varu.example/x \n"));
    }

    void tabCommandsMoveTheStripWhereTheUserExpects()
    {
        Rig r;
        const QString a = r.capture(u"alfa"_qs, 100);
        const QString b = r.capture(u"beta"_qs, 200);
        QVERIFY(r.settle());

        // A tab made from cards receives them in order, and the strip stays where it was.
        r.commands.createBoard(u"Com cards"_qs, u"#A57BEB"_qs, {a, b});
        QVERIFY(r.settle());
        QVERIFY(r.model.tab().isHistory());
        const QString withCards = r.model.boards().first().id;
        QCOMPARE(r.model.boardItems().value(withCards).size(), 2);

        // An empty tab opens at once.
        r.commands.createBoard(u"Vazia"_qs, u"#EB6F92"_qs, {});
        QTRY_COMPARE(r.model.boards().size(), 2);
        QTRY_VERIFY(r.model.tab().isBoard());
        const QString empty = r.model.tab().boardID();
        QCOMPARE(r.model.board(empty)->name, u"Vazia"_qs);

        // Deleting the open tab goes back to the history before the store has been touched.
        r.commands.deleteBoard(empty);
        QVERIFY(r.model.tab().isHistory());
        QVERIFY(r.model.board(empty)); // still in the last snapshot
        QVERIFY(r.settle());
        QVERIFY(!r.model.board(empty));

        // Deleting another tab leaves the open one alone.
        r.model.setTab(Tab::board(withCards));
        r.commands.createBoard(u"Outra"_qs, u"#F2994A"_qs, {a});
        QVERIFY(r.settle());
        const QString other = r.model.boards().last().id;
        r.commands.deleteBoard(other);
        QVERIFY(r.settle());
        QCOMPARE(r.model.tab(), Tab::board(withCards));
    }
};

QTEST_GUILESS_MAIN(TestShellCommands)
#include "tst_shellcommands.moc"
