// Registering the global shortcut: layout lookup, desktop modifiers, refusals, and presses
// that run the action later on the main thread and never after the registration is gone.

#include "platform/fake/FakeHotKeyGrabber.h"
#include "platform/fake/FakeKeyboardLayout.h"
#include "settings/HotKey.h"

#include <QTest>

Q_DECLARE_METATYPE(HotKeyConfig)

using Combination = FakeHotKeyGrabber::Combination;

class TestHotKey : public QObject
{
    Q_OBJECT

    FakeKeyboardLayout layout;

private Q_SLOTS:
    void init()
    {
        layout.clear();
        layout.setKey(u"v"_qs, 55);
        layout.setKey(u"k"_qs, 45);
    }

    void modifierNamesMapToDesktopModifiers()
    {
        QCOMPARE(HotKey::modifiersOf({u"cmd"_qs, u"shift"_qs}),
                 KeyModifiers(KeyModifier::Super | KeyModifier::Shift));
        QCOMPARE(HotKey::modifiersOf({u"Control"_qs, u"ALT"_qs, u"option"_qs, u"hyper"_qs}),
                 KeyModifiers(KeyModifier::Control | KeyModifier::Alt));
        QCOMPARE(HotKey::modifiersOf({}), KeyModifiers());
    }

    void pressRunsTheActionLaterAndOnlyWhileRegistered()
    {
        FakeHotKeyGrabber grabber;
        int runs = 0;
        auto hotKey = HotKey::create(VaruConfig::defaultHotKey(), layout, grabber, [&] { ++runs; });
        QVERIFY(hotKey);
        const Combination combo{55, KeyModifier::Super | KeyModifier::Shift};
        QCOMPARE(grabber.held(), QList<Combination>{combo});

        QVERIFY(grabber.press(combo));
        QCOMPARE(runs, 0); // scheduled, not run inside the event handler
        QTRY_COMPARE(runs, 1);

        // A press queued just before the release does nothing afterwards.
        QVERIFY(grabber.press(combo));
        hotKey.reset();
        QVERIFY(grabber.held().isEmpty());
        QTest::qWait(20);
        QCOMPARE(runs, 1);
        QVERIFY(!grabber.press(combo));
    }

    void refusals_data()
    {
        QTest::addColumn<HotKeyConfig>("config");
        QTest::addColumn<bool>("takenByOther");
        QTest::addColumn<QString>("log"); // expected error log, empty: none
        QTest::newRow("key not on the layout")
            << HotKeyConfig{u"ç"_qs, {u"cmd"_qs, u"shift"_qs}} << false << QString();
        QTest::newRow("taken by another application")
            << VaruConfig::defaultHotKey() << true
            << u"Não foi possível registrar o atalho global (10)"_qs;
        QTest::newRow("no modifier would swallow the key everywhere")
            << HotKeyConfig{u"v"_qs, {u"fn"_qs}} << false << QString();
        QTest::newRow("shift alone would swallow the capital")
            << HotKeyConfig{u"k"_qs, {u"shift"_qs}} << false << QString();
    }
    void refusals()
    {
        QFETCH(HotKeyConfig, config);
        QFETCH(bool, takenByOther);
        QFETCH(QString, log);
        FakeHotKeyGrabber grabber;
        if (takenByOther)
            grabber.takeByOtherApp({55, KeyModifier::Super | KeyModifier::Shift});
        if (!log.isEmpty())
            QTest::ignoreMessage(QtCriticalMsg, qPrintable(log));
        QVERIFY(!HotKey::create(config, layout, grabber, [] {}));
        QVERIFY(grabber.held().isEmpty());
    }

    void keyIsLookedUpOnTheLayout()
    {
        // The key code follows the layout: the same name on another layout grabs another key.
        FakeHotKeyGrabber grabber;
        layout.setKey(u"v"_qs, 60);
        auto hotKey =
            HotKey::create(HotKeyConfig{u"V"_qs, {u"ctrl"_qs, u"opt"_qs}}, layout, grabber, [] {});
        QVERIFY(hotKey);
        const Combination expected{60, KeyModifier::Control | KeyModifier::Alt};
        QCOMPARE(grabber.held(), QList<Combination>{expected});
    }
};

QTEST_GUILESS_MAIN(TestHotKey)
#include "tst_hotkey.moc"
