// The application in front on a real X server: the input focus without a window manager,
// _NET_ACTIVE_WINDOW with one and not after it is gone, the process of a window, and the
// desktop entries that name it.

#include "DesktopSession.h"
#include "SessionRunner.h"

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11FrontmostApp.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

// Desktop entries the test controls, found before the machine's own.
QTemporaryDir &entriesRoot()
{
    static QTemporaryDir dir;
    return dir;
}

void writeEntry(const QString &id, const QByteArray &body)
{
    QDir().mkpath(entriesRoot().filePath(u"applications"_qs));
    QFile f(entriesRoot().filePath(u"applications/"_qs + id));
    f.open(QIODevice::WriteOnly);
    f.write("[Desktop Entry]\nType=Application\n" + body);
}

void prepareEntries()
{
    writeEntry(u"org.example.Notes.desktop"_qs,
               "Name=Notas de Exemplo\nExec=/bin/true\nStartupWMClass=ExampleNotes\n");
    writeEntry(u"plainclass.desktop"_qs, "Name=Plain\nExec=/bin/true\n");
    writeEntry(u"org.example.Sleeper.desktop"_qs, "Name=Dorminhoco\nExec=sleep 1000\n");
    qputenv("XDG_DATA_HOME", QFile::encodeName(entriesRoot().path()));
}

// A top-level window of our own with a WM_CLASS and no _NET_WM_PID, and a child without
// a class, the way toolkits nest their focus windows.
struct RawWindow
{
    xcb_window_t top = 0;
    xcb_window_t child = 0;

    explicit RawWindow(const QByteArray &wmClass)
    {
        xcb_connection_t *c = X11Connection::connection();
        top = xcb_generate_id(c);
        xcb_create_window(c, XCB_COPY_FROM_PARENT, top, X11Connection::root(), 10, 10, 200, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        const QByteArray value = "instance\0"_qba + wmClass + '\0';
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, top, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                            uint32_t(value.size()), value.constData());
        child = xcb_generate_id(c);
        xcb_create_window(c, XCB_COPY_FROM_PARENT, child, top, 0, 0, 50, 50, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_map_window(c, top);
        xcb_map_window(c, child);
        xcb_flush(c);
    }
    ~RawWindow()
    {
        xcb_destroy_window(X11Connection::connection(), top);
        xcb_flush(X11Connection::connection());
    }
    // Without a window manager: focus the child directly.
    static void focus(xcb_window_t window)
    {
        xcb_connection_t *c = X11Connection::connection();
        xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
        free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr)); // round trip
    }
};

const AppIdentity kNotes{u"org.example.Notes"_qs, u"Notas de Exemplo"_qs};

bool windowManagerRunning()
{
    QByteArray out;
    return SessionRunner::run(u"xprop"_qs, {u"-root"_qs, u"_NET_SUPPORTING_WM_CHECK"_qs}, &out,
                              2000) == 0 &&
           out.contains("window id");
}

} // namespace

class TestX11FrontmostApp : public QObject
{
    Q_OBJECT

    X11FrontmostApp apps;

private Q_SLOTS:
    void desktopEntriesNameTheApplication()
    {
        // StartupWMClass, compared without case; else the lower-cased class as an entry id.
        QCOMPARE(X11FrontmostApp::identify(u"examplenotes"_qs), kNotes);
        QCOMPARE(X11FrontmostApp::identify(u"PlainClass"_qs),
                 (AppIdentity{u"plainclass"_qs, u"Plain"_qs}));
        // No class at all: the process's program, when an entry runs it.
        QProcess *sleeper = SessionRunner::start(u"sleep"_qs, {u"30"_qs});
        QCOMPARE(X11FrontmostApp::identifyProcess(quint32(sleeper->processId())),
                 std::optional(AppIdentity{u"org.example.Sleeper"_qs, u"Dorminhoco"_qs}));
        QCOMPARE(X11FrontmostApp::identifyProcess(quint32(::getpid())), std::nullopt);
        QCOMPARE(X11FrontmostApp::identifyProcess(0), std::nullopt);
        QCOMPARE(X11FrontmostApp::windowClass(0x7ffffff), QString()); // no such window
        QCOMPARE(X11FrontmostApp::windowPid(0x7ffffff), 0u);
        sleeper->kill();
    }

    void withoutWindowManagerTheInputFocusCounts()
    {
        QVERIFY(!windowManagerRunning());
        RawWindow::focus(XCB_INPUT_FOCUS_POINTER_ROOT);
        QCOMPARE(apps.frontmost(), std::nullopt);

        RawWindow notes("ExampleNotes");
        RawWindow::focus(notes.child); // walks up to the window that has a class
        QCOMPARE(apps.frontmost(), std::optional(kNotes));
        // No _NET_WM_PID on this window: the X server knows the process.
        QCOMPARE(X11FrontmostApp::windowPid(notes.top), quint32(::getpid()));

        // A window without a class, of a program no entry runs: nothing.
        RawWindow nameless("");
        xcb_delete_property(X11Connection::connection(), nameless.top, XCB_ATOM_WM_CLASS);
        RawWindow::focus(nameless.child);
        QCOMPARE(X11FrontmostApp::activeWindow(), 0u);
        QCOMPARE(apps.frontmost(), std::nullopt);
    }

    void aWindowManagerThatLeftIsNotTrusted()
    {
        QProcess *wm = SessionRunner::start(u"openbox"_qs, {u"--sm-disable"_qs});
        QTRY_VERIFY_WITH_TIMEOUT(windowManagerRunning(), 10000);
        QProcess *xterm = SessionRunner::start(
            u"xterm"_qs, {u"-class"_qs, u"PlainClass"_qs, u"-T"_qs, u"plainwin"_qs});
        QStringList ids;
        QTRY_VERIFY_WITH_TIMEOUT(!(ids = SessionRunner::windowsNamed(u"^plainwin$"_qs)).isEmpty(),
                                 10000);
        QCOMPARE(
            SessionRunner::run(u"xdotool"_qs, {u"windowactivate"_qs, u"--sync"_qs, ids.first()}),
            0);
        QTRY_COMPARE(apps.frontmost(), std::optional(AppIdentity{u"plainclass"_qs, u"Plain"_qs}));

        // Its _NET_ACTIVE_WINDOW stays behind: the input focus counts again.
        wm->kill();
        wm->waitForFinished(3000);
        RawWindow notes("ExampleNotes");
        RawWindow::focus(notes.child);
        QCOMPARE(apps.frontmost(), std::optional(kNotes));
        xterm->kill();
    }
};

int main(int argc, char **argv)
{
    DesktopSession::Options options;
    options.windowManager = false;
    return SessionRunner::exec(argc, argv, options, [](int argc, char **argv) {
        prepareEntries(); // before GIO reads the application folders
        QGuiApplication app(argc, argv);
        TestX11FrontmostApp test;
        const int failures = QTest::qExec(&test, argc, argv);
        SessionRunner::stopAll();
        return failures;
    });
}

#include "tst_x11frontmostapp.moc"
