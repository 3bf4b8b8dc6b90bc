// The X11 keyboard services against a real X server (Xvfb, with Openbox unless
// VARU_TEST_NO_WM is set): layout look-ups on real layouts, global grabs and their conflicts,
// XTest keystrokes into a real window, and focus handed back between windows.

#include "SessionRunner.h"

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11HotKeyGrabber.h"
#include "platform/x11/X11KeyInjector.h"
#include "platform/x11/X11KeyboardLayout.h"
#include "platform/x11/X11WindowFocus.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include <xcb/xcb.h>

#include <memory>

namespace {

bool windowManager()
{
    return !qEnvironmentVariableIsSet("VARU_TEST_NO_WM");
}

// Another X client of the same server, as a competing application would be.
class OtherClient
{
public:
    OtherClient()
        : m_c(xcb_connect(qgetenv("DISPLAY").constData(), nullptr))
    {}
    ~OtherClient() { xcb_disconnect(m_c); }
    // Grabs key 55 (V) with Super+Shift and `lock` on the root window; true when granted.
    bool grabSuperShiftV(quint16 lock)
    {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
        xcb_generic_error_t *e = xcb_request_check(
            m_c, xcb_grab_key_checked(m_c, 1, root, XCB_MOD_MASK_4 | XCB_MOD_MASK_SHIFT | lock, 55,
                                      XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        free(e);
        return !e;
    }

private:
    xcb_connection_t *m_c;
};

void xdotool(const QStringList &args)
{
    QCOMPARE(SessionRunner::run(u"xdotool"_qs, args), 0);
}

void setLayout(const QStringList &args)
{
    QCOMPARE(SessionRunner::run(u"setxkbmap"_qs, args), 0);
}

std::unique_ptr<QLineEdit> focusedEdit(const QString &title)
{
    auto edit = std::make_unique<QLineEdit>();
    edit->setWindowTitle(title);
    edit->resize(400, 40);
    edit->show();
    edit->activateWindow();
    return edit;
}

} // namespace

class TestX11Input : public QObject
{
    Q_OBJECT

    X11KeyboardLayout layout;
    X11WindowFocus focus;

private Q_SLOTS:
    void initTestCase() { QVERIFY(X11Connection::connection()); }

    void keyCodesFollowTheLayout()
    {
        setLayout({u"us"_qs, u"-variant"_qs, u"dvorak"_qs});
        QCOMPARE(layout.keyCode(u"V"_qs), std::optional<quint16>(60));
        QCOMPARE(layout.fallbackPasteKeyCode(), 60);
        setLayout({u"br"_qs});
        QCOMPARE(layout.keyCode(u"ç"_qs), std::optional<quint16>(47));
        QCOMPARE(layout.keyCode(QString()), std::nullopt);
        // A Cyrillic-only layout has no key for "v" at all; with a spare Latin group it does.
        setLayout({u"ru"_qs});
        QCOMPARE(layout.keyCode(u"v"_qs), std::nullopt);
        QCOMPARE(layout.fallbackPasteKeyCode(), 55);
        setLayout({u"ru,us"_qs});
        QCOMPARE(layout.keyCode(u"v"_qs), std::optional<quint16>(55));
        QCOMPARE(layout.keyCode(u"ж"_qs), std::optional<quint16>(47));
        setLayout({u"us"_qs});
        QCOMPARE(layout.keyCode(u"ç"_qs), std::nullopt);
    }

    void hotKeyFiresOncePerPressWhateverTheLocksAndFocus()
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
            QTRY_COMPARE(presses, lock == u"Num_Lock"_qs ? 2 : 3);
        }
        xdotool({u"key"_qs, u"super+shift+v"_qs}); // both locks on
        QTRY_COMPARE(presses, 4);
        xdotool({u"key"_qs, u"Num_Lock"_qs, u"Caps_Lock"_qs});

        // Other modifier sets are not the shortcut; a held shortcut counts once.
        xdotool({u"key"_qs, u"shift+v"_qs, u"ctrl+super+shift+v"_qs, u"super+v"_qs});
        xdotool({u"keydown"_qs, u"super+shift+v"_qs});
        QTest::qWait(800);
        xdotool({u"keyup"_qs, u"v"_qs, u"shift"_qs, u"super"_qs});
        QTest::qWait(200);
        QCOMPARE(presses, 5);

        // Our own window (the strip) has the keyboard: presses still arrive, and never type.
        auto edit = focusedEdit(u"strip"_qs);
        QVERIFY(QTest::qWaitForWindowActive(edit.get()));
        for (int i = 6; i <= 7; ++i) {
            xdotool({u"key"_qs, u"super+shift+v"_qs});
            QTRY_COMPARE(presses, i);
        }
        QVERIFY(edit->text().isEmpty());

        // Released: another application may take it, and presses no longer arrive.
        result.grab.reset();
        OtherClient other;
        QVERIFY(other.grabSuperShiftV(0));
        QVERIFY(other.grabSuperShiftV(XCB_MOD_MASK_LOCK));
        xdotool({u"key"_qs, u"super+shift+v"_qs});
        QTest::qWait(200);
        QCOMPARE(presses, 7);
    }

    void combinationHeldByAnotherClientFailsAtOnce()
    {
        X11HotKeyGrabber grabber(layout);
        OtherClient other;
        QVERIFY(other.grabSuperShiftV(XCB_MOD_MASK_LOCK)); // only one lock variant taken

        bool pressed = false;
        auto result =
            grabber.grab(55, KeyModifier::Super | KeyModifier::Shift, [&] { pressed = true; });
        QVERIFY(!result.grab);
        QCOMPARE(result.status, 10); // BadAccess

        // The variants granted before the refusal were given back.
        QVERIFY(OtherClient().grabSuperShiftV(0));
        xdotool({u"key"_qs, u"super+shift+v"_qs});
        QTest::qWait(200);
        QVERIFY(!pressed);
    }

    void pasteKeystrokesReachTheFocusedWindow()
    {
        X11KeyInjector keys(layout);
        QVERIFY(keys.trusted());
        auto edit = focusedEdit(u"paste target"_qs);
        QVERIFY(QTest::qWaitForWindowActive(edit.get()));
        QGuiApplication::clipboard()->setText(u"colado"_qs);

        keys.sendControlKey(*layout.keyCode(u"v"_qs));
        QTRY_COMPARE(edit->text(), u"colado"_qs);
        keys.sendShiftInsert();
        QTRY_COMPARE(edit->text(), u"coladocolado"_qs);

        // Modifiers still held from the shortcut that asked for the paste: waited for, then
        // released, so the window sees Ctrl+V and not Super+Alt+Ctrl+V.
        keys.setModifierGrace(std::chrono::milliseconds(100));
        xdotool({u"keydown"_qs, u"super"_qs, u"alt"_qs});
        edit->clear();
        keys.sendControlKey(*layout.keyCode(u"v"_qs));
        QTRY_COMPARE(edit->text(), u"colado"_qs);
        QTest::qWait(100);
        QCOMPARE(edit->text(), u"colado"_qs);
        QCOMPARE(QGuiApplication::queryKeyboardModifiers(), Qt::NoModifier);
    }

    void focusGoesBackToAWindow()
    {
        auto first = focusedEdit(u"first"_qs);
        QVERIFY(QTest::qWaitForWindowActive(first.get()));
        QTRY_COMPARE(focus.activeWindow(), std::optional<WindowId>(first->winId()));
        auto second = focusedEdit(u"second"_qs);
        QVERIFY(QTest::qWaitForWindowActive(second.get()));
        QTRY_COMPARE(focus.activeWindow(), std::optional<WindowId>(second->winId()));

        QVERIFY(focus.activate(WindowId(first->winId()), std::chrono::milliseconds(1000)));
        QCOMPARE(focus.activeWindow(), std::optional<WindowId>(first->winId()));
        // The window really has the keyboard: typing reaches it.
        xdotool({u"type"_qs, u"ok"_qs});
        QTRY_COMPARE(first->text(), u"ok"_qs);

        // A window that is gone (or never existed) cannot be activated.
        const WindowId gone = WindowId(second->winId());
        second.reset();
        QTest::qWait(100);
        QVERIFY(!focus.activate(gone, std::chrono::milliseconds(2000)));
    }
};

int main(int argc, char **argv)
{
    DesktopSession::Options options;
    options.windowManager = windowManager();
    return SessionRunner::exec(argc, argv, options, [](int argc, char **argv) {
        QApplication app(argc, argv);
        TestX11Input test;
        const int failures = QTest::qExec(&test, argc, argv);
        SessionRunner::stopAll();
        return failures;
    });
}

#include "tst_x11input.moc"
