// The shell's shortcut: presses as a signal, the log of a failed registration, and a refused
// new combination that puts the previous one back.

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
};

QTEST_GUILESS_MAIN(TestGlobalShortcut)
#include "tst_globalshortcut.moc"
