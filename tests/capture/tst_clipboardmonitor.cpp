// The monitor on an in-memory clipboard: which copies are kept and which merged, own writes,
// pause, and the order of the rules with their log messages. Time is a stepped clock.

#include "capture/ClipboardMonitor.h"
#include "core/ClipboardTypes.h"
#include "platform/fake/FakeFrontmostApp.h"
#include "platform/fake/FakeClipboard.h"

#include <QCoreApplication>
#include <QTest>

namespace T = ClipboardTypes;

namespace {

ClipboardItem item(std::initializer_list<std::pair<QString, QByteArray>> entries)
{
    return ClipboardItem{QList<std::pair<QString, QByteArray>>(entries)};
}

CaptureRules defaultRules()
{
    CaptureRules rules;
    rules.ignoredApps = {u"keepassxc"_qs};
    rules.ignoredTypes = {u"x-kde-passwordManagerHint"_qs};
    return rules;
}

// The poll left to the test, which calls it where the order of two events matters.
constexpr ClipboardMonitor::Timing kPollByHand{24 * 3600 * 1000, 0};
// Quiet periods that never end by themselves: the test ends them with flushPending().
constexpr ClipboardMonitor::Timing kQuietByHand{24 * 3600 * 1000, 24 * 3600 * 1000};

// With no quiet period, what it would capture is captured within a few turns of the loop.
void runOut()
{
    for (int turn = 0; turn < 5; ++turn)
        QCoreApplication::processEvents();
}

} // namespace

class TestClipboardMonitor : public QObject
{
    Q_OBJECT

    struct Rig
    {
        FakeClipboard pb;
        FakeFrontmostApp apps;
        ClipboardMonitor monitor{pb, apps, defaultRules()};
        QList<CapturedClip> captured;
        qint64 now = 0;

        explicit Rig(ClipboardMonitor::Timing timing = {0, 0})
        {
            monitor.setTiming(timing);
            monitor.setClock([this] { return now; });
            QObject::connect(&monitor, &ClipboardMonitor::captured,
                             [this](const CapturedClip &c) { captured << c; });
        }
        void copyText(const QByteArray &text) { pb.simulateCopy({item({{T::plainText, text}})}); }
        // Another application copies `text` at `at` ms, while `app` is in front.
        void copyAt(qint64 at, const QByteArray &text, const QString &app = u"org.gnome.gedit"_qs)
        {
            now = at;
            apps.set(AppIdentity{app, app});
            copyText(text);
        }
        QStringList titles() const
        {
            QStringList out;
            for (const CapturedClip &c : captured)
                out << c.title;
            return out;
        }
    };

private Q_SLOTS:
    void everyCopyThatStoodIsKeptInOrder()
    {
        Rig rig(kQuietByHand);
        rig.pb.setNotifying(true);
        rig.copyAt(0, "there at launch");
        rig.monitor.start();

        // Each copy is read at its change; the one it replaces goes on once it stood 30 ms.
        rig.copyAt(1000, "one", u"a.first"_qs);
        QVERIFY(rig.captured.isEmpty()); // still in its quiet period
        rig.copyAt(1030, "two", u"a.second"_qs);
        QCOMPARE(rig.titles(), QStringList{u"one"_qs});
        // Replaced within 29 ms: an offer still being written, merged into the next.
        rig.copyAt(1200, "three");
        rig.copyAt(1229, "four", u"a.fourth"_qs);
        rig.copyAt(1400, "five");
        QCOMPARE(rig.titles(), (QStringList{u"one"_qs, u"two"_qs, u"four"_qs}));
        // The credited application is the one in front at the change, not at the end.
        QCOMPARE(rig.captured.at(1).sourceAppID, std::optional(u"a.second"_qs));
        QCOMPARE(rig.captured.at(2).sourceAppID, std::optional(u"a.fourth"_qs));

        // Another owner's copy is one of its own however soon it is replaced; its own
        // owner's quick rewrite is not.
        rig.pb.setOwnerID(7);
        rig.copyAt(1500, "from seven");
        rig.pb.setOwnerID(8);
        rig.copyAt(1505, "from eight");
        rig.copyAt(1510, "eight again");
        rig.copyAt(1600, "nine");
        rig.pb.setOwnerID(std::nullopt);
        QCOMPARE(rig.titles().mid(3), (QStringList{u"five"_qs, u"from seven"_qs, u"eight again"_qs}));

        // An owner that adds to its offer later in the quiet period gives one copy.
        rig.now = 2000;
        rig.pb.simulateCopy({item({{T::plainText, "six"}})});
        rig.now = 2200;
        rig.pb.simulateCopy({item({{T::plainText, "six"}, {T::html, "<b>six</b>"}})});
        rig.monitor.flushPending();
        QCOMPARE(rig.titles().mid(3), (QStringList{u"five"_qs, u"from seven"_qs,
                                                   u"eight again"_qs, u"nine"_qs, u"six"_qs}));
        QCOMPARE(rig.captured.last().reps.size(), 2);
        rig.monitor.flushPending();
        QCOMPARE(rig.captured.size(), 8);
    }

    void aPolledClipboardIsReadAtTheTick()
    {
        Rig rig(kPollByHand);
        rig.copyText("there at launch");
        rig.monitor.start();
        rig.monitor.poll();
        runOut();
        QVERIFY(rig.captured.isEmpty());

        rig.copyText("first");
        rig.monitor.poll();
        runOut(); // the quiet period (zero here) ends on its own
        QCOMPARE(rig.titles(), QStringList{u"first"_qs});
    }

    void ownWritesAreNoCopiesEvenWhenAnnounced()
    {
        Rig rig(kQuietByHand);
        rig.pb.setNotifying(true);
        rig.monitor.start();
        // Pasting back right after a copy: the copy is kept, the write is not.
        rig.copyAt(100, "copied");
        rig.monitor.flushPending();
        rig.now = 110;
        rig.pb.writeString(u"pasted back"_qs);
        rig.monitor.markOwnWrite();
        rig.copyAt(500, "next");
        rig.monitor.flushPending();
        QCOMPARE(rig.titles(), (QStringList{u"copied"_qs, u"next"_qs}));
    }

    void ownWritesAndPausedCopiesAreNotCaptured()
    {
        Rig rig;
        rig.monitor.start();
        rig.pb.writeString(u"pasted back"_qs);
        rig.monitor.markOwnWrite();
        runOut();
        QVERIFY(rig.captured.isEmpty());

        // Copies made while paused are skipped for good.
        rig.monitor.setPaused(true);
        rig.copyText("while paused");
        rig.monitor.poll();
        rig.monitor.capture(false); // its quiet period ends while paused
        rig.monitor.setPaused(false);
        runOut();
        QVERIFY(rig.captured.isEmpty());

        // Asked for by the user, it is read even while paused.
        rig.monitor.setPaused(true);
        rig.monitor.capture(true);
        QCOMPARE(rig.captured.size(), 1);
        QCOMPARE(rig.captured.first().title, u"while paused"_qs);
    }

    void rulesRejectInOrder()
    {
        Rig rig;
        // An ignored type on any item rejects the copy, before the application is asked.
        rig.apps.set(AppIdentity{u"org.keepassxc.KeePassXC"_qs, u"KeePassXC"_qs});
        rig.pb.simulateCopy(
            {item({{T::plainText, "visible"}}),
             item({{T::plainText, "x"}, {u"x-kde-passwordManagerHint"_qs, "secret"}})});
        QTest::ignoreMessage(QtInfoMsg,
                             "Tipo ignorado x-kde-passwordManagerHint; cópia não guardada");
        rig.monitor.capture(false);
        rig.copyText("from the vault");
        QTest::ignoreMessage(QtInfoMsg, "App ignorado org.keepassxc.KeePassXC");
        rig.monitor.capture(false);
        QVERIFY(rig.captured.isEmpty());

        // Content from another device is kept whatever is in front.
        rig.pb.simulateCopy({item({{T::plainText, "from my phone"}, {T::remoteMarker, ""}})});
        rig.monitor.capture(false);
        QCOMPARE(rig.captured.size(), 1);
        QCOMPARE(rig.captured.last().sourceAppID, std::nullopt);
        QCOMPARE(rig.captured.last().sourceName, std::optional(u"Outro dispositivo"_qs));
    }

    void sizeRuleKeepsWhatFitsInOrder()
    {
        Rig rig;
        CaptureRules small = defaultRules();
        small.maxBytes = 250;
        rig.monitor.setRules(small);
        rig.pb.simulateCopy({item({{u"a/one"_qs, QByteArray(200, 'a')},
                                   {u"a/two"_qs, QByteArray(100, 'b')},
                                   {T::plainText, QByteArray(40, 'c')}})});
        QTest::ignoreMessage(QtInfoMsg, "Tipo a/two descartado: 100 bytes passam do limite");
        rig.monitor.capture(false);
        QCOMPARE(rig.captured.size(), 1);
        QCOMPARE(rig.captured.first().totalBytes, 240);
        QCOMPARE(rig.captured.first().reps,
                 QList<Representation>({{0, u"a/one"_qs, QByteArray(200, 'a')},
                                        {0, T::plainText, QByteArray(40, 'c')}}));
    }

    void dataTheOwnerNoLongerSuppliesIsSkipped()
    {
        Rig rig;
        rig.pb.simulateCopy({item({{T::png, "png"}, {T::plainText, "text"}})});
        rig.pb.setUnavailable(0, T::plainText); // the owner died halfway
        rig.monitor.capture(false);
        QCOMPARE(rig.captured.size(), 1);
        QCOMPARE(rig.captured.first().kind, ClipKind::Image);
        QCOMPARE(rig.captured.first().reps.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestClipboardMonitor)
#include "tst_clipboardmonitor.moc"
