// The shell's shortcut: registration and its log, presses as a signal, and a refused new
// combination that puts the previous one back.

#include "app/GlobalShortcut.h"
#include "platform/fake/FakeHotKeyGrabber.h"
#include "platform/fake/FakeKeyboardLayout.h"

#include <QSignalSpy>
#include <QTest>

using Combination = FakeHotKeyGrabber::Combination;

class TestGlobalShortcut : public QObject
{
    Q_OBJECT

    const Combination superShiftV{55, KeyModifier::Super | KeyModifier::Shift};
    const Combination ctrlAltK{45, KeyModifier::Control | KeyModifier::Alt};
    const HotKeyConfig ctrlAltKConfig{u"k"_qs, {u"ctrl"_qs, u"opt"_qs}};

private Q_SLOTS:
    void registersReleasesAndReportsPresses()
    {
        FakeKeyboardLayout layout;
        layout.setKey(u"v"_qs, 55);
        FakeHotKeyGrabber grabber;
        GlobalShortcut shortcut(layout, grabber);
        QSignalSpy pressed(&shortcut, &GlobalShortcut::pressed);

        QVERIFY(shortcut.registerHotKey(VaruConfig::defaultHotKey()));
        // Registering the same combination again replaces the grab instead of clashing with it.
        QVERIFY(shortcut.registerHotKey(VaruConfig::defaultHotKey()));
        QCOMPARE(grabber.held(), QList<Combination>{superShiftV});
        grabber.press(superShiftV);
        QTRY_COMPARE(pressed.size(), 1);

        shortcut.release();
        QVERIFY(!shortcut.isRegistered());
        QVERIFY(grabber.held().isEmpty());

        // The key is not on the layout: logged with the label, no shortcut.
        QTest::ignoreMessage(QtCriticalMsg, "Atalho ⌃⌥K indisponível");
        QVERIFY(!shortcut.registerHotKey(ctrlAltKConfig));
        QVERIFY(grabber.held().isEmpty());
    }

    void refusedChangeKeepsThePreviousShortcut()
    {
        FakeKeyboardLayout layout;
        layout.setKey(u"v"_qs, 55);
        layout.setKey(u"k"_qs, 45);
        FakeHotKeyGrabber grabber;
        grabber.takeByOtherApp(ctrlAltK);
        GlobalShortcut shortcut(layout, grabber);
        QVERIFY(shortcut.registerHotKey(VaruConfig::defaultHotKey()));

        QTest::ignoreMessage(QtCriticalMsg, "Não foi possível registrar o atalho global (10)");
        QTest::ignoreMessage(QtCriticalMsg, "Atalho ⌃⌥K indisponível");
        const auto message = shortcut.change(VaruConfig::defaultHotKey(), ctrlAltKConfig);
        QCOMPARE(message.value_or(QString()),
                 u"Esse atalho já está em uso por outro app. Mantive ⇧⌘V."_qs);
        QCOMPARE(grabber.held(), QList<Combination>{superShiftV});

        // An accepted change holds only the new combination.
        const HotKeyConfig ctrlAltV{u"v"_qs, {u"control"_qs, u"alt"_qs}};
        QVERIFY(!shortcut.change(VaruConfig::defaultHotKey(), ctrlAltV));
        const Combination expected{55, KeyModifier::Control | KeyModifier::Alt};
        QCOMPARE(grabber.held(), QList<Combination>{expected});
    }
};

QTEST_GUILESS_MAIN(TestGlobalShortcut)
#include "tst_globalshortcut.moc"
