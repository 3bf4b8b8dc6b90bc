// The shell's shortcut: presses as a signal, the log of a failed registration, a refused
// new combination that puts the previous one back, and an unusable one at start.

#include "app/GlobalShortcut.h"
#include "platform/fake/FakeHotKeyGrabber.h"
#include "platform/fake/FakeKeyboardLayout.h"

#include <QSignalSpy>
#include <QTest>

using Combination = FakeHotKeyGrabber::Combination;

class TestGlobalShortcut : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refusedChangeKeepsThePreviousShortcut()
    {
        FakeKeyboardLayout layout;
        layout.setKey(u"v"_qs, 55);
        layout.setKey(u"k"_qs, 45);
        FakeHotKeyGrabber grabber;
        grabber.takeByOtherApp({45, KeyModifier::Control | KeyModifier::Alt});
        GlobalShortcut shortcut(layout, grabber);
        QSignalSpy pressed(&shortcut, &GlobalShortcut::pressed);
        const Combination superShiftV{55, KeyModifier::Super | KeyModifier::Shift};

        // Registering the same combination again replaces the grab instead of clashing.
        QVERIFY(shortcut.registerHotKey(VaruConfig::defaultHotKey()));
        QVERIFY(shortcut.registerHotKey(VaruConfig::defaultHotKey()));
        grabber.press(superShiftV);
        QCoreApplication::processEvents(); // the press arrives from the event loop
        QCOMPARE(pressed.size(), 1);

        QTest::ignoreMessage(QtCriticalMsg, "Não foi possível registrar o atalho global (10)");
        QTest::ignoreMessage(QtCriticalMsg, "Atalho Ctrl+Alt+K indisponível");
        const auto message =
            shortcut.change(VaruConfig::defaultHotKey(), {u"k"_qs, {u"ctrl"_qs, u"opt"_qs}});
        QCOMPARE(message.value_or(QString()),
                 u"Esse atalho já está em uso por outro app. Mantive Super+Shift+V."_qs);
        QCOMPARE(grabber.held(), QList<Combination>{superShiftV});

        // An accepted change holds only the new combination; releasing holds nothing.
        QVERIFY(!shortcut.change(VaruConfig::defaultHotKey(), {u"v"_qs, {u"ctrl"_qs, u"opt"_qs}}));
        const Combination ctrlAltV{55, KeyModifier::Control | KeyModifier::Alt};
        QCOMPARE(grabber.held(), QList<Combination>{ctrlAltV});
        shortcut.release();
        QVERIFY(!shortcut.isRegistered() && grabber.held().isEmpty());
    }

    void anUnusableShortcutAtStartGivesWayToTheDefault_data()
    {
        QTest::addColumn<HotKeyConfig>("config");
        QTest::newRow("shift alone") << HotKeyConfig{u"v"_qs, {u"shift"_qs}};
        QTest::newRow("empty key") << HotKeyConfig{u""_qs, {u"cmd"_qs, u"shift"_qs}};
        QTest::newRow("unknown modifiers") << HotKeyConfig{u"v"_qs, {u"hyper"_qs, u"meta"_qs}};
        QTest::newRow("two keys") << HotKeyConfig{u"vv"_qs, {u"ctrl"_qs, u"opt"_qs}};
        QTest::newRow("the paste keystroke") << HotKeyConfig{u"V"_qs, {u"control"_qs}};
    }

    void anUnusableShortcutAtStartGivesWayToTheDefault()
    {
        QFETCH(HotKeyConfig, config);
        FakeKeyboardLayout layout;
        layout.setKey(u"v"_qs, 55);
        FakeHotKeyGrabber grabber;
        GlobalShortcut shortcut(layout, grabber);
        const QString expected =
            u"O atalho gravado em config.json não é válido. Usando o padrão, Super+Shift+V."_qs;
        QTest::ignoreMessage(QtWarningMsg, qPrintable(expected));
        QCOMPARE(shortcut.registerAtStart(config), std::optional(expected));
        QCOMPARE(config, VaruConfig::defaultHotKey());
        const Combination superShiftV{55, KeyModifier::Super | KeyModifier::Shift};
        QCOMPARE(grabber.held(), QList<Combination>{superShiftV});
    }

    void aValidShortcutAtStartStaysEvenWhenTaken()
    {
        FakeKeyboardLayout layout;
        layout.setKey(u"k"_qs, 45);
        FakeHotKeyGrabber grabber;
        grabber.takeByOtherApp({45, KeyModifier::Control | KeyModifier::Alt});
        GlobalShortcut shortcut(layout, grabber);
        HotKeyConfig config{u"k"_qs, {u"ctrl"_qs, u"opt"_qs}};
        QTest::ignoreMessage(QtCriticalMsg, "Não foi possível registrar o atalho global (10)");
        QTest::ignoreMessage(QtCriticalMsg, "Atalho Ctrl+Alt+K indisponível");
        QCOMPARE(shortcut.registerAtStart(config), std::nullopt);
        QCOMPARE(config, (HotKeyConfig{u"k"_qs, {u"ctrl"_qs, u"opt"_qs}}));
        QVERIFY(!shortcut.isRegistered());
    }
};

QTEST_GUILESS_MAIN(TestGlobalShortcut)
#include "tst_globalshortcut.moc"
