// The X11 keyboard services against a real X server (Xvfb with Openbox): layout look-ups on
// real layouts, the global grab under lock keys, and keystrokes sent while modifiers are held.

#include "SessionRunner.h"

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11HotKeyGrabber.h"
#include "platform/x11/X11KeyInjector.h"
#include "platform/x11/X11KeyboardLayout.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

namespace {

void xdotool(const QStringList &args)
{
    QCOMPARE(SessionRunner::run(u"xdotool"_qs, args), 0);
}

void setLayout(const QStringList &args)
{
    QCOMPARE(SessionRunner::run(u"setxkbmap"_qs, args), 0);
}

} // namespace

class TestX11Input : public QObject
{
    Q_OBJECT

    X11KeyboardLayout layout;

private Q_SLOTS:
    void initTestCase() { QVERIFY(X11Connection::connection()); }

    void keyCodesFollowTheLayout()
    {
        setLayout({u"us"_qs, u"-variant"_qs, u"dvorak"_qs});
        QCOMPARE(layout.keyCode(u"V"_qs), std::optional<quint16>(60));
        QCOMPARE(layout.fallbackPasteKeyCode(), 60);
        // A Cyrillic-only layout has no key for "v" at all; with a spare Latin group it does.
        setLayout({u"ru"_qs});
        QCOMPARE(layout.keyCode(u"v"_qs), std::nullopt);
        QCOMPARE(layout.fallbackPasteKeyCode(), 55);
        setLayout({u"ru,us"_qs});
        QCOMPARE(layout.keyCode(u"v"_qs), std::optional<quint16>(55));
        setLayout({u"us"_qs});
    }

    void hotKeyFiresOncePerPressWhateverTheLocks()
    {
        X11HotKeyGrabber grabber(layout);
        int presses = 0;
        auto result = grabber.grab(55, KeyModifier::Super | KeyModifier::Shift, [&] { ++presses; });
        QVERIFY(result.grab);

        xdotool({u"key"_qs, u"super+shift+v"_qs});
        QTRY_COMPARE(presses, 1);
        for (const QString &lock : {u"Num_Lock"_qs, u"Caps_Lock"_qs}) {
            xdotool({u"key"_qs, lock});
            xdotool({u"key"_qs, u"super+shift+v"_qs});
            QTRY_COMPARE(presses, lock == u"Num_Lock"_qs ? 2 : 3); // the second: both locks on
        }
        xdotool({u"key"_qs, u"Num_Lock"_qs, u"Caps_Lock"_qs});

        // Other modifier sets are not the shortcut; a held shortcut counts once.
        xdotool({u"key"_qs, u"shift+v"_qs, u"ctrl+super+shift+v"_qs, u"super+v"_qs});
        xdotool({u"keydown"_qs, u"super+shift+v"_qs});
        QTest::qWait(800);
        xdotool({u"keyup"_qs, u"v"_qs, u"shift"_qs, u"super"_qs});
        QTest::qWait(200);
        QCOMPARE(presses, 4);
    }

    void pasteWaitsForHeldModifiersAndReleasesThem()
    {
        X11KeyInjector keys(layout);
        QVERIFY(keys.trusted());
        QLineEdit edit;
        edit.show();
        edit.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&edit));
        QGuiApplication::clipboard()->setText(u"colado"_qs);

        // Modifiers still held from the shortcut that asked for the paste: waited for, then
        // released, so the window sees Ctrl+V and not Super+Alt+Ctrl+V.
        keys.setModifierGrace(std::chrono::milliseconds(100));
        xdotool({u"keydown"_qs, u"super"_qs, u"alt"_qs});
        keys.sendControlKey(*layout.keyCode(u"v"_qs));
        QTRY_COMPARE(edit.text(), u"colado"_qs);
        QTest::qWait(100);
        QCOMPARE(edit.text(), u"colado"_qs);
        QCOMPARE(QGuiApplication::queryKeyboardModifiers(), Qt::NoModifier);
    }
};

int main(int argc, char **argv)
{
    return SessionRunner::exec(argc, argv, DesktopSession::Options{}, [](int argc, char **argv) {
        QApplication app(argc, argv);
        TestX11Input test;
        const int failures = QTest::qExec(&test, argc, argv);
        SessionRunner::stopAll();
        return failures;
    });
}

#include "tst_x11input.moc"
