// The global shortcut of the real varu binary on a real desktop (Xvfb + Openbox), and
// paste-back through the real clipboard, focus return and XTest keystrokes into another
// application's Qt window and into xterm.

#include "SessionRunner.h"

#include "paste/PasteTarget.h"
#include "paste/Paster.h"
#include "platform/x11/X11KeyInjector.h"
#include "platform/x11/X11KeyboardLayout.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11WindowFocus.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#include <xcb/xcb.h>

namespace {

// A competing application holding Super+Shift+V on the root window.
class OtherClient
{
public:
    OtherClient()
        : m_c(xcb_connect(qgetenv("DISPLAY").constData(), nullptr))
    {}
    ~OtherClient() { xcb_disconnect(m_c); }
    bool grabSuperShiftV()
    {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
        xcb_generic_error_t *e = xcb_request_check(
            m_c, xcb_grab_key_checked(m_c, 1, root, XCB_MOD_MASK_4 | XCB_MOD_MASK_SHIFT, 55,
                                      XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        free(e);
        return !e;
    }

private:
    xcb_connection_t *m_c;
};

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

Representation rep(qint64 index, const char *type, const QByteArray &data)
{
    return {index, QString::fromLatin1(type), data};
}

} // namespace

class E2ePasteHotKey : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    X11KeyboardLayout layout;
    X11KeyInjector keys{layout};
    X11WindowFocus focus;
    std::unique_ptr<X11Clipboard> userTab;

    // Starts varu and collects what it logs until `done` holds for the log; null when it
    // exited or `done` never held.
    QProcess *startVaru(QByteArray &log, const std::function<bool(const QByteArray &)> &done)
    {
        QProcess *varu = SessionRunner::start(DesktopSession::varuBinary());
        const bool ok = QTest::qWaitFor(
            [&] {
                log += varu->readAllStandardError();
                return varu->state() != QProcess::Running || done(log);
            },
            15000);
        return ok && varu->state() == QProcess::Running ? varu : nullptr;
    }

    WindowId windowOf(const QString &title)
    {
        QStringList ids;
        if (!QTest::qWaitFor([&] { return !(ids = SessionRunner::windowsNamed(title)).isEmpty(); },
                             15000))
            return 0;
        return ids.first().toUInt();
    }

    // The user works in `window`, opens the strip (which takes the keyboard), picks cards;
    // the strip hides and the cards are pasted.
    bool pasteInto(WindowId window, const QList<QList<Representation>> &cards)
    {
        if (!focus.activate(window, std::chrono::seconds(3)))
            return false;
        PasteTarget target(focus);
        target.remember();
        QLineEdit strip;
        strip.setWindowTitle(u"strip stand-in"_qs);
        strip.show();
        strip.activateWindow();
        if (!QTest::qWaitForWindowActive(&strip))
            return false;
        strip.hide();
        if (!target.restore())
            return false;
        Paster paster(*userTab, layout, keys, focus);
        paster.write(cards, false);
        QTest::qWait(50); // the shell's pause between writing and the keystroke
        paster.sendPasteKeystroke();
        return true;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(keys.trusted());
        userTab = std::make_unique<X11Clipboard>(QGuiApplication::clipboard());
    }

    void varuHoldsItsShortcutAndReactsToIt()
    {
        // Once varu runs, nobody else may take the combination.
        QByteArray log;
        QProcess *varu =
            startVaru(log, [](const QByteArray &) { return !OtherClient().grabSuperShiftV(); });
        QVERIFY2(varu, log.constData());

        SessionRunner::run(u"xdotool"_qs, {u"key"_qs, u"super+shift+v"_qs});
        QVERIFY2(QTest::qWaitFor(
                     [&] {
                         log += varu->readAllStandardError();
                         return log.contains("Atalho Super+Shift+V acionado");
                     },
                     5000),
                 log.constData());
        QVERIFY(!log.contains("indisponível"));

        varu->terminate();
        QVERIFY(varu->waitForFinished(5000));
        QVERIFY(OtherClient().grabSuperShiftV()); // released with the process
    }

    void shortcutTakenByAnotherApplicationIsReported()
    {
        OtherClient other;
        QVERIFY(other.grabSuperShiftV());
        QByteArray log;
        QProcess *varu = startVaru(
            log,
            [](const QByteArray &log) { return log.contains("Atalho Super+Shift+V indisponível"); });
        QVERIFY2(varu, log.constData()); // it runs on without a shortcut
        QVERIFY(log.contains("Não foi possível registrar o atalho global (10)"));
    }

    void twoTextCardsLandAsOneTextInAQtWindow()
    {
        const QString out = dir.filePath(u"qt.txt"_qs);
        SessionRunner::start(QStringLiteral(VARU_PASTE_PROBE), {u"Paste Probe"_qs, out});
        const WindowId probe = windowOf(u"^Paste Probe$"_qs);
        QVERIFY(probe);

        // The second card is rich text: only its plain text joins the merge.
        QVERIFY(pasteInto(probe, {{rep(0, "public.utf8-plain-text", "primeira linha")},
                                  {rep(0, "public.rtf", "{\\rtf1 segunda}"),
                                   rep(0, "public.html", "<b>segunda</b>"),
                                   rep(0, "public.utf8-plain-text", "segunda ção")}}));
        QTRY_COMPARE(readFile(out), QByteArray("primeira linha\nsegunda ção"));
    }

    void cardPastedIntoXtermArrives()
    {
        const QString out = dir.filePath(u"xterm.txt"_qs);
        SessionRunner::start(u"xterm"_qs, {u"-T"_qs, u"Terminal Probe"_qs, u"-e"_qs, u"sh"_qs,
                                           u"-c"_qs, u"cat > '%1'"_qs.arg(out)});
        const WindowId xterm = windowOf(u"^Terminal Probe$"_qs);
        QVERIFY(xterm);
        QTRY_VERIFY(QFile::exists(out));

        // Two cards: the line feed between them reaches the terminal as Return.
        QVERIFY(pasteInto(xterm, {{rep(0, "public.utf8-plain-text", "echo um")},
                                  {rep(0, "public.utf8-plain-text", "olá do varu")}}));
        QTRY_COMPARE(readFile(out), QByteArray("echo um\n"));
        SessionRunner::run(u"xdotool"_qs,
                           {u"key"_qs, u"--window"_qs, QString::number(xterm), u"Return"_qs});
        QTRY_COMPARE(readFile(out), QByteArray("echo um\nolá do varu\n"));
    }

    void cleanup() { SessionRunner::stopAll(); }
};

int main(int argc, char **argv)
{
    return SessionRunner::exec(argc, argv, DesktopSession::Options{}, [](int argc, char **argv) {
        QApplication app(argc, argv);
        E2ePasteHotKey test;
        return QTest::qExec(&test, argc, argv);
    });
}

#include "tst_e2e_paste_hotkey.moc"
