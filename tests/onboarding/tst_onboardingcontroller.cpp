// The onboarding window over its model: it loads its views, starts from the first step,
// records "onboardingDone" whenever it closes (from any step, by the close button or by the
// last step's button), keeps the step when shown again while up, and stops polling once gone.

#include "OnboardingFixtures.h"

#include "onboarding/OnboardingController.h"
#include "onboarding/OnboardingWindow.h"
#include "settings/UserDefaults.h"

#include <QQuickItem>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using Step = OnboardingModel::Step;

class TestOnboardingController : public QObject
{
    Q_OBJECT

    struct Rig
    {
        QTemporaryDir home;
        FakeAbilities fake;
        UserDefaults defaults{home.path()};
        OnboardingModel model;
        OnboardingController controller{model, defaults};

        explicit Rig(bool mayRefuseClipboard = false)
            : fake{mayRefuseClipboard}
            , model(fake.desktop(), kKeys)
        {
            controller.setPollInterval(0);
        }
    };

private Q_SLOTS:
    void showsTheViewsFromTheFirstStep()
    {
        Rig r(true);
        QVERIFY(!r.controller.isVisible());
        QVERIFY(!r.defaults.onboardingDone());
        r.controller.show();
        QVERIFY(r.controller.window()->isLoaded());
        QVERIFY(r.controller.isVisible());
        QCOMPARE(r.controller.window()->size(),
                 QSize(OnboardingWindow::kWidth, OnboardingWindow::kHeight));
        QVERIFY(r.model.isPolling());
        // Return is the primary button, once the window has the keyboard.
        QVERIFY(QTest::qWaitForWindowActive(r.controller.window()));
        QTest::keyClick(r.controller.window(), Qt::Key_Return);
        QCOMPARE(r.model.step(), Step::Clipboard);

        // For the documentation (VARU_SCREENSHOTS), what an X server never shows: the
        // clipboard step, pasting unavailable, the shortcut left to the desktop.
        const QString shots = qEnvironmentVariable("VARU_SCREENSHOTS");
        if (shots.isEmpty())
            return;
        r.fake.hotKey = false;
        r.model.refresh();
        for (const QString &name :
             {u"onboarding-clipboard.png"_qs, u"onboarding-paste-unavailable.png"_qs,
              u"onboarding-shortcut-desktop.png"_qs}) {
            QTest::qWait(400); // the step's fade
            QVERIFY(r.controller.window()->grabWindow().save(shots + u'/' + name));
            r.model.next();
        }
    }

    void closingFromAnyStepRecordsIt_data()
    {
        QTest::addColumn<int>("nexts");
        QTest::newRow("welcome") << 0;
        QTest::newRow("paste") << 1;
        QTest::newRow("shortcut") << 2;
        QTest::newRow("finished") << 3;
    }
    void closingFromAnyStepRecordsIt()
    {
        QFETCH(int, nexts);
        Rig r;
        QSignalSpy closed(&r.controller, &OnboardingController::closed);
        r.controller.show();
        for (int i = 0; i < nexts; ++i)
            r.model.next();
        if (r.controller.isVisible())
            r.controller.window()->close(); // the title bar's close button
        QCOMPARE(closed.count(), 1);
        QVERIFY(!r.controller.isVisible());
        QVERIFY(!r.model.isPolling());
        QVERIFY(r.defaults.onboardingDone());
        // Another start reads the same answer.
        QVERIFY(UserDefaults(r.home.path()).onboardingDone());
    }

    void showingAgain()
    {
        Rig r;
        r.controller.show();
        r.model.next();
        r.model.next();
        r.model.markShortcutTried();
        // Brought to the front while up: the user keeps their place.
        r.controller.show();
        QCOMPARE(r.model.step(), Step::Shortcut);
        r.controller.window()->close();
        // From the tray later: from the start, the shortcut still known to work.
        r.fake.keystrokes = true;
        r.controller.show();
        QCOMPARE(r.model.step(), Step::Welcome);
        QVERIFY(r.model.pasteOK());
        QVERIFY(r.model.triedShortcut());
        QVERIFY(r.model.isPolling());
    }

    void theControllerGoneLeavesNoDanglingFinish()
    {
        FakeAbilities fake;
        QTemporaryDir home;
        UserDefaults defaults(home.path());
        OnboardingModel model(fake.desktop(), kKeys);
        {
            OnboardingController controller(model, defaults);
            controller.show();
        }
        model.next();
        model.next();
        model.next(); // would call into the destroyed controller
        QVERIFY(!defaults.onboardingDone());
    }
};

QTEST_MAIN(TestOnboardingController)
#include "tst_onboardingcontroller.moc"
