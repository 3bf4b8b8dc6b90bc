// The first-run window on a real desktop: shown at the first start in an empty home, the
// hotkey tried on its last step (the strip opens and the step turns green), closed and
// remembered (a second start shows nothing), opened again from the tray, and brought to the
// front by a second launch instead of the strip; without a tray it is shown all the same.

#include "DesktopSession.h"

#include <QFile>
#include <QTest>

namespace {

const QString kTitle = QStringLiteral("^Boas-vindas ao Varu$");

} // namespace

class E2eOnboarding : public QObject
{
    Q_OBJECT

    std::unique_ptr<DesktopSession> m_s;
    QProcess *m_varu = nullptr;
    QByteArray m_log;
    QString m_shots;

    bool logged(const QByteArray &text, int timeoutMs = 10000)
    {
        return DesktopSession::waitFor(
            [&] {
                m_log += m_varu->readAllStandardError();
                return m_log.contains(text);
            },
            timeoutMs);
    }
    QString run(const QStringList &args)
    {
        QByteArray out;
        m_s->run(u"xdotool"_qs, args, &out);
        return QString::fromUtf8(out).trimmed();
    }
    int widthOf(const QString &id)
    {
        const QString geometry = run({u"getwindowgeometry"_qs, u"--shell"_qs, id});
        const qsizetype at = geometry.indexOf(u"WIDTH=");
        return at < 0 ? 0 : geometry.mid(at + 6, geometry.indexOf(u'\n', at) - at - 6).toInt();
    }
    QString onboarding()
    {
        const QStringList ids = m_s->windowsNamed(kTitle);
        return ids.isEmpty() ? QString() : ids.first();
    }
    bool waitOnboarding(bool shown)
    {
        return DesktopSession::waitFor([&] { return onboarding().isEmpty() != shown; });
    }
    bool stripShown()
    {
        const QStringList ids = m_s->windowsNamed(u"^Varu$"_qs);
        return std::any_of(ids.cbegin(), ids.cend(),
                           [&](const QString &id) { return widthOf(id) >= 1000; });
    }
    bool waitStrip(bool shown)
    {
        return DesktopSession::waitFor([&] { return stripShown() == shown; });
    }
    bool onboardingActive()
    {
        return DesktopSession::waitFor([&] {
            return run({u"getactivewindow"_qs, u"getwindowname"_qs}) == u"Boas-vindas ao Varu";
        });
    }
    // Keys for the onboarding window, which must have the keyboard first.
    void keyToOnboarding(const QString &key)
    {
        run({u"windowactivate"_qs, u"--sync"_qs, onboarding()});
        run({u"key"_qs, key});
    }
    QByteArray defaults()
    {
        QFile f(m_s->configHome() + u"/Varu/Varu.conf"_qs);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The window alone, for the documentation; the step's 0.2 s animation has ended by then.
    void shoot(const QString &name)
    {
        if (m_shots.isEmpty())
            return;
        QTest::qWait(500);
        m_s->run(u"import"_qs, {u"-window"_qs, onboarding(), m_shots + u"/"_qs + name});
    }
    // The tray icon's window: embedded, so not "visible" to xdotool; the icon is small.
    QString trayIcon()
    {
        const QStringList ids =
            run({u"search"_qs, u"--classname"_qs, u"^varu$"_qs}).split(u'\n', Qt::SkipEmptyParts);
        for (const QString &id : ids) {
            const int w = widthOf(id);
            if (w >= 10 && w < 100)
                return id;
        }
        return {};
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_s = std::make_unique<DesktopSession>(DesktopSession::Options{true, true, true});
        QVERIFY2(m_s->isReady(), qPrintable(m_s->error()));
        m_shots = qEnvironmentVariable("VARU_SCREENSHOTS");
        m_varu = m_s->startVaru();
    }

    void theFirstStartShowsTheWindowAndTheHotkeyIsTried()
    {
        QVERIFY(waitOnboarding(true));
        QVERIFY(!stripShown());
        shoot(u"onboarding-welcome.png"_qs);

        // An X server lets Varu read the clipboard: no step for it, straight to pasting.
        keyToOnboarding(u"Return"_qs);
        shoot(u"onboarding-paste.png"_qs);
        keyToOnboarding(u"Return"_qs);
        shoot(u"onboarding-shortcut.png"_qs);

        run({u"key"_qs, u"super+shift+v"_qs});
        QVERIFY(waitStrip(true));
        QVERIFY(logged("Boas-vindas: atalho funcionando"));
        run({u"key"_qs, u"Escape"_qs});
        QVERIFY(waitStrip(false));
        shoot(u"onboarding-shortcut-done.png"_qs);
        QVERIFY(!onboarding().isEmpty());
    }

    void closingIsRememberedAcrossStarts()
    {
        QVERIFY(!defaults().contains("onboardingDone=true"));
        keyToOnboarding(u"alt+F4"_qs); // the window manager's close
        QVERIFY(waitOnboarding(false));
        QVERIFY(
            DesktopSession::waitFor([&] { return defaults().contains("onboardingDone=true"); }));
        QCOMPARE(m_varu->state(), QProcess::Running); // closing the window is not quitting

        m_varu->terminate();
        QVERIFY(m_varu->waitForFinished(10000));
        m_log.clear();
        m_varu = m_s->startVaru();
        QVERIFY(DesktopSession::waitFor([&] { return !trayIcon().isEmpty(); }));
        QTest::qWait(1000);
        QVERIFY(onboarding().isEmpty());
    }

    void theTrayEntryOpensItAgain()
    {
        const QString icon = trayIcon();
        QVERIFY(!icon.isEmpty());
        run({u"mousemove"_qs, u"--window"_qs, icon, u"5"_qs, u"5"_qs});
        run({u"click"_qs, u"1"_qs});
        QTest::qWait(600);
        // From the bottom of the menu: "Sair do Varu", then the welcome entry.
        run({u"key"_qs, u"Up"_qs});
        run({u"key"_qs, u"Up"_qs});
        run({u"key"_qs, u"Return"_qs});
        QVERIFY(waitOnboarding(true));
    }

    void aSecondLaunchBringsItToTheFront()
    {
        keyToOnboarding(u"Return"_qs); // to the second step, which a reopen must keep
        // Something else in front, then Varu started again.
        QProcess *other = m_s->start(u"xmessage"_qs, {u"-name"_qs, u"outro"_qs, u"outro app"_qs});
        QVERIFY(other);
        QVERIFY(DesktopSession::waitFor([&] {
            return run({u"getactivewindow"_qs, u"getwindowname"_qs}) != u"Boas-vindas ao Varu";
        }));
        QCOMPARE(m_s->run(DesktopSession::varuBinary(), {}), 0);
        QVERIFY(onboardingActive());
        QTest::qWait(500);
        QVERIFY(!stripShown());
    }

    void withoutATrayTheFirstStartSaysSo()
    {
        DesktopSession bare(DesktopSession::Options{true, false, true});
        QVERIFY2(bare.isReady(), qPrintable(bare.error()));
        QProcess *varu = bare.startVaru();
        QVERIFY(DesktopSession::waitFor([&] { return !bare.windowsNamed(kTitle).isEmpty(); }));
        if (!m_shots.isEmpty()) {
            QTest::qWait(500);
            bare.run(u"import"_qs, {u"-window"_qs, bare.windowsNamed(kTitle).first(),
                                    m_shots + u"/onboarding-no-tray.png"_qs});
        }
        QCOMPARE(varu->state(), QProcess::Running);
    }

    void cleanupTestCase() { m_s.reset(); }
};

QTEST_GUILESS_MAIN(E2eOnboarding)
#include "tst_e2e_onboarding.moc"
