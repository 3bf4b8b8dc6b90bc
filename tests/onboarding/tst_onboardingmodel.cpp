// The onboarding's steps as this desktop shows them, the buttons' titles, the checks that
// turn a step green without the user's help, launch at login, and the shortcut test.

#include "OnboardingFixtures.h"

#include <QSignalSpy>
#include <QTest>

using Step = OnboardingModel::Step;

class TestOnboardingModel : public QObject
{
    Q_OBJECT

    static QList<Step> walk(OnboardingModel &m)
    {
        QList<Step> seen{m.step()};
        for (int i = 0; i < 6 && m.step() != Step::Shortcut; ++i) {
            m.next();
            seen << m.step();
        }
        return seen;
    }

private Q_SLOTS:
    void stepsWithoutTheClipboardStep()
    {
        // An X server never keeps the clipboard from Varu: nothing to explain.
        FakeAbilities fake;
        OnboardingModel m(fake.desktop(), kKeys);
        QCOMPARE(walk(m), (QList<Step>{Step::Welcome, Step::Paste, Step::Shortcut}));
        QCOMPARE(m.stepCount(), 3);
        QCOMPARE(m.stepIndex(), 2);
        QVERIFY(m.clipboardOK());
        m.back();
        QCOMPARE(m.step(), Step::Paste);
        m.back();
        QCOMPARE(m.step(), Step::Welcome);
        QVERIFY(!m.canGoBack());
        m.back();
        QCOMPARE(m.step(), Step::Welcome);
    }

    void stepsWithTheClipboardStep()
    {
        FakeAbilities fake;
        fake.mayRefuseClipboard = true;
        OnboardingModel m(fake.desktop(), kKeys);
        QCOMPARE(walk(m),
                 (QList<Step>{Step::Welcome, Step::Clipboard, Step::Paste, Step::Shortcut}));
        QCOMPARE(m.stepCount(), 4);
        QCOMPARE(m.stepIndex(), 3);
        m.back();
        m.back();
        QCOMPARE(m.step(), Step::Clipboard);
        QCOMPARE(m.stepIndex(), 1);
        QVERIFY(m.canGoBack());
    }

    void theLastStepFinishes()
    {
        FakeAbilities fake;
        OnboardingModel m(fake.desktop(), kKeys);
        int finished = 0;
        m.finish = [&] { ++finished; };
        walk(m);
        QCOMPARE(finished, 0);
        m.next();
        QCOMPARE(finished, 1);
        QCOMPARE(m.step(), Step::Shortcut);
    }

    void primaryTitles()
    {
        FakeAbilities fake;
        fake.mayRefuseClipboard = true;
        OnboardingModel m(fake.desktop(), kKeys);
        QSignalSpy titles(&m, &OnboardingModel::primaryTitleChanged);
        QCOMPARE(m.primaryTitle(), u"Começar"_qs);
        m.next();
        QCOMPARE(m.primaryTitle(), u"Depois"_qs);
        fake.clipboard = true;
        titles.clear();
        m.refresh();
        QCOMPARE(m.primaryTitle(), u"Continuar"_qs);
        QCOMPARE(titles.count(), 1);
        m.next();
        QCOMPARE(m.primaryTitle(), u"Depois"_qs);
        fake.keystrokes = true;
        m.refresh();
        QCOMPARE(m.primaryTitle(), u"Continuar"_qs);
        m.next();
        QCOMPARE(m.primaryTitle(), u"Concluir"_qs);
    }

    void onlyChangedAnswersNotify()
    {
        FakeAbilities fake;
        OnboardingModel m(fake.desktop(), kKeys);
        QSignalSpy paste(&m, &OnboardingModel::pasteOKChanged);
        QSignalSpy tray(&m, &OnboardingModel::trayAvailableChanged);
        QSignalSpy title(&m, &OnboardingModel::primaryTitleChanged);
        m.refresh();
        QCOMPARE(paste.count() + tray.count() + title.count(), 0);
        fake.tray = false;
        fake.keystrokes = true;
        m.refresh();
        QCOMPARE(paste.count(), 1);
        QCOMPARE(tray.count(), 1);
        QVERIFY(!m.trayAvailable());
        // The paste answer names the button only on the paste step.
        QCOMPARE(title.count(), 0);
    }

    void pollingTurnsAStepGreenUntilStopped()
    {
        FakeAbilities fake;
        OnboardingModel m(fake.desktop(), kKeys);
        m.next();
        m.start(0);
        QVERIFY(m.isPolling());
        fake.keystrokes = true;
        runPolls();
        QVERIFY(m.pasteOK());
        QCOMPARE(m.primaryTitle(), u"Continuar"_qs);
        m.stop();
        fake.keystrokes = false;
        runPolls();
        QVERIFY(m.pasteOK());
    }

    void launchAtLogin()
    {
        FakeAbilities fake;
        OnboardingModel m(fake.desktop(), kKeys);
        m.setLogin(true);
        QVERIFY(m.loginOn());
        QVERIFY(fake.login);
        // A refused change: the switch is told again what is really the case.
        fake.loginFails = true;
        QSignalSpy login(&m, &OnboardingModel::loginOnChanged);
        m.setLogin(false);
        QCOMPARE(fake.loginWrites, 2);
        QVERIFY(m.loginOn());
        QCOMPARE(login.count(), 1);
    }

    void theShortcutTestIsNeverUndone()
    {
        FakeAbilities fake;
        OnboardingModel m(fake.desktop(), kKeys);
        QSignalSpy tried(&m, &OnboardingModel::triedShortcutChanged);
        walk(m);
        m.markShortcutTried();
        m.markShortcutTried();
        QCOMPARE(tried.count(), 1);
        m.rewind();
        QCOMPARE(m.step(), Step::Welcome);
        m.refresh();
        QVERIFY(m.triedShortcut());
    }

    void theKeyCapsFollowANewShortcut()
    {
        FakeAbilities fake;
        OnboardingModel m(fake.desktop(), kKeys);
        QSignalSpy keys(&m, &OnboardingModel::hotKeyKeysChanged);
        m.setHotKeyKeys(kKeys);
        QCOMPARE(keys.count(), 0);
        m.setHotKeyKeys({u"Ctrl"_qs, u"Alt"_qs, u"C"_qs});
        QCOMPARE(keys.count(), 1);
        QCOMPARE(m.hotKeyKeys(), (QStringList{u"Ctrl"_qs, u"Alt"_qs, u"C"_qs}));
    }

    void readingTheClipboardOnRequest()
    {
        // The user's own request is the read such a session allows; the step reflects it.
        FakeAbilities fake;
        fake.mayRefuseClipboard = true;
        OnboardingModel m(fake.desktop(), kKeys);
        QVERIFY(!m.clipboardOK());
        m.requestClipboard = [&] { fake.clipboard = true; };
        m.readClipboardNow();
        QVERIFY(m.clipboardOK());
    }
};

QTEST_GUILESS_MAIN(TestOnboardingModel)
#include "tst_onboardingmodel.moc"
