// Paste-back and the global shortcut on a real X server (Xvfb + Openbox): from the paste
// command to the keystroke posted (and to the text in the window), and from a key press of
// the shortcut to the shell's action running. The shell's fixed 50 ms pause before the
// keystroke is not counted. VARU_BENCH_RUNS sets the number of runs (100).

#include "BenchStats.h"
#include "SessionRunner.h"

#include "app/GlobalShortcut.h"
#include "paste/PasteTarget.h"
#include "paste/Paster.h"
#include "platform/x11/X11HotKeyGrabber.h"
#include "platform/x11/X11KeyInjector.h"
#include "platform/x11/X11KeyboardLayout.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11WindowFocus.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <xcb/xcb.h>
#include <xcb/xtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

#include <array>

namespace {

// Presses and releases Super+Shift+V from another connection, as a keyboard would.
class Keyboard
{
public:
    explicit Keyboard(X11KeyboardLayout &layout)
        : m_c(xcb_connect(nullptr, nullptr))
        , m_keys{uint8_t(layout.keyCodeOfKeysym(XKB_KEY_Super_L).value_or(133)),
                 uint8_t(layout.keyCodeOfKeysym(XKB_KEY_Shift_L).value_or(50)),
                 uint8_t(layout.keyCode(QStringLiteral("v")).value_or(55))}
    {}
    ~Keyboard() { xcb_disconnect(m_c); }
    void pressShortcut()
    {
        for (const uint8_t key : m_keys)
            xcb_test_fake_input(m_c, XCB_KEY_PRESS, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        for (auto it = m_keys.rbegin(); it != m_keys.rend(); ++it)
            xcb_test_fake_input(m_c, XCB_KEY_RELEASE, *it, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_flush(m_c);
    }

private:
    xcb_connection_t *m_c;
    std::array<uint8_t, 3> m_keys;
};

// Runs the event loop until `signal` fires (true) or two seconds pass (false).
template<typename Sender, typename Signal> bool waitUntil(Sender *sender, Signal signal)
{
    QEventLoop loop;
    bool fired = false;
    QObject::connect(sender, signal, &loop, [&] {
        fired = true;
        loop.quit();
    });
    QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    if (!fired)
        loop.exec();
    return fired;
}

int run(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int runs = qEnvironmentVariableIntValue("VARU_BENCH_RUNS") > 0
                         ? qEnvironmentVariableIntValue("VARU_BENCH_RUNS")
                         : 100;

    X11KeyboardLayout layout;
    X11KeyInjector keys(layout);
    X11WindowFocus focus;
    X11Clipboard clipboard(QGuiApplication::clipboard());
    Paster paster(clipboard, layout, keys, focus);
    PasteTarget target(focus);

    QLineEdit edit;
    edit.setWindowTitle(QStringLiteral("target"));
    edit.show();
    edit.activateWindow();
    if (!QTest::qWaitForWindowActive(&edit)) {
        std::fprintf(stderr, "the target window never became active\n");
        return 1;
    }

    // Focus taken by another window (the strip) and given back, as after a paste.
    QLineEdit strip;
    strip.setWindowTitle(QStringLiteral("strip"));
    strip.show();
    QList<double> switchBack;
    for (int i = 0; i < 30; ++i) {
        edit.activateWindow();
        if (!QTest::qWaitForWindowActive(&edit))
            continue;
        target.remember();
        strip.activateWindow();
        if (!QTest::qWaitForWindowActive(&strip))
            continue;
        QElapsedTimer t;
        t.start();
        if (target.restore())
            switchBack << BenchStats::msSince(t);
    }
    strip.hide();
    edit.activateWindow();
    if (!QTest::qWaitForWindowActive(&edit))
        return 1;

    QList<double> lookup, write, keystroke, arrived, restore;
    int lost = 0;
    const QList<QList<Representation>> cards = {
        {{0, QStringLiteral("public.utf8-plain-text"), QByteArray("primeira")}},
        {{0, QStringLiteral("public.utf8-plain-text"), QByteArray("segunda")}},
    };
    for (int i = 0; i < runs; ++i) {
        edit.clear();
        QElapsedTimer t;
        t.start();
        layout.keyCode(QStringLiteral("v"));
        lookup << BenchStats::msSince(t);

        target.remember();
        t.restart();
        target.restore();
        restore << BenchStats::msSince(t);

        t.restart();
        paster.write(cards, false);
        const double written = BenchStats::msSince(t);
        paster.sendPasteKeystroke();
        const double posted = BenchStats::msSince(t);
        if (waitUntil(&edit, &QLineEdit::textChanged))
            arrived << BenchStats::msSince(t);
        else
            ++lost;
        write << written;
        keystroke << posted;
    }

    X11HotKeyGrabber grabber(layout);
    GlobalShortcut shortcut(layout, grabber);
    QList<double> registration, press;
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer t;
        t.start();
        shortcut.registerHotKey(
            HotKeyConfig{QStringLiteral("v"), {QStringLiteral("cmd"), QStringLiteral("shift")}});
        registration << BenchStats::msSince(t);
    }
    Keyboard keyboard(layout);
    int missed = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        keyboard.pressShortcut();
        if (waitUntil(&shortcut, &GlobalShortcut::pressed))
            press << BenchStats::msSince(t);
        else
            ++missed;
        QTest::qWait(5); // let the release arrive before the next press
    }

    std::printf("Paste-back, two text cards, into a Qt window (%d runs)\n", runs);
    BenchStats::print("keyCode(for: \"v\") through XKB", lookup);
    BenchStats::print("focus back to the remembered window (already active)", restore);
    BenchStats::print("focus back from another window, until active", switchBack);
    BenchStats::print("write (merge + clipboard ownership)", write);
    BenchStats::print("paste command -> keystroke posted (write + send)", keystroke);
    BenchStats::print("paste command -> text in the target window", arrived);
    if (lost)
        std::printf("  %d pastes never arrived\n", lost);
    std::printf("Global shortcut\n");
    BenchStats::print("registration (4 lock variants, checked)", registration);
    BenchStats::print("key press -> shell action running", press);
    if (missed)
        std::printf("  %d presses never reached the action\n", missed);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    return SessionRunner::exec(argc, argv, DesktopSession::Options{}, run);
}
