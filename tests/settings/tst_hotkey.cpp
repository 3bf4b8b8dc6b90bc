// Registering the global shortcut: the key follows the layout, modifier names become desktop
// modifiers, refusals, and presses that run the action later, never after the release.

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

    void pressRunsTheActionLaterAndOnlyWhileRegistered()
    {
        FakeHotKeyGrabber grabber;
        int runs = 0;
        layout.setKey(u"v"_qs, 60); // V elsewhere, as on Dvorak
        auto hotKey = HotKey::create({u"V"_qs, {u"Control"_qs, u"ALT"_qs, u"option"_qs}}, layout,
                                     grabber, [&] { ++runs; });
        QVERIFY(hotKey);
        const Combination combo{60, KeyModifier::Control | KeyModifier::Alt};
        QCOMPARE(grabber.held(), QList<Combination>{combo});

        QVERIFY(grabber.press(combo));
        QCOMPARE(runs, 0); // scheduled, not run inside the event handler
        QCoreApplication::processEvents();
        QCOMPARE(runs, 1);

        // A press queued just before the release does nothing afterwards.
        QVERIFY(grabber.press(combo));
        hotKey.reset();
        QVERIFY(grabber.held().isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(runs, 1);
    }

    void refusals_data()
    {
        QTest::addColumn<HotKeyConfig>("config");
        QTest::addColumn<QString>("log"); // expected error log, empty: none
        QTest::newRow("key not on the layout")
            << HotKeyConfig{u"ç"_qs, {u"cmd"_qs, u"shift"_qs}} << QString();
        QTest::newRow("taken by another application")
            << HotKeyConfig{u"k"_qs, {u"cmd"_qs, u"shift"_qs}}
            << u"Não foi possível registrar o atalho global (10)"_qs;
        QTest::newRow("shift alone would swallow the capital")
            << HotKeyConfig{u"k"_qs, {u"shift"_qs}} << QString();
        QTest::newRow("the paste keystroke itself")
            << HotKeyConfig{u"V"_qs, {u"ctrl"_qs}} << QString();
    }
    void refusals()
    {
        QFETCH(HotKeyConfig, config);
        QFETCH(QString, log);
        FakeHotKeyGrabber grabber;
        grabber.takeByOtherApp({45, KeyModifier::Super | KeyModifier::Shift});
        if (!log.isEmpty())
            QTest::ignoreMessage(QtCriticalMsg, qPrintable(log));
        QVERIFY(!HotKey::create(config, layout, grabber, [] {}));
        QVERIFY(grabber.held().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestHotKey)
#include "tst_hotkey.moc"
