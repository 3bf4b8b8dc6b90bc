// The running application on a desktop with a window manager and a tray (Xvfb, Openbox,
// trayer), with 1,000 and with 10,000 cards: its memory (RSS) after launch and once the strip
// has been shown, its CPU use while idle, and the time from a press of the hotkey to the
// strip's first frame on screen (the first pixels of the panel at the bottom edge).
//   VARU_BENCH_IDLE_S   seconds of idle measurement (60)
//   VARU_BENCH_RUNS     hotkey presses per history size (20)

#include "BenchHistory.h"
#include "BenchStats.h"
#include "DesktopSession.h"

#include "settings/ConfigFile.h"
#include "store/Store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <unistd.h>

namespace {

qint64 rssKiB(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// User plus system time of a process, in clock ticks.
qint64 cpuTicks(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = f.readAll();
    // Fields after the command name, which is in parentheses and may hold spaces.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return fields.value(11).toLongLong() + fields.value(12).toLongLong();
}

// The desktop as a keyboard and a camera: key presses through XTest, pixels of a screen row.
class Screen
{
public:
    explicit Screen(const QString &display)
        : m_dpy(XOpenDisplay(display.toLocal8Bit().constData()))
    {}
    ~Screen()
    {
        if (m_dpy)
            XCloseDisplay(m_dpy);
    }
    bool isOpen() const { return m_dpy; }
    int width() const { return DisplayWidth(m_dpy, DefaultScreen(m_dpy)); }
    int height() const { return DisplayHeight(m_dpy, DefaultScreen(m_dpy)); }

    void press(std::initializer_list<KeySym> keys)
    {
        for (KeySym k : keys)
            XTestFakeKeyEvent(m_dpy, XKeysymToKeycode(m_dpy, k), True, CurrentTime);
        for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
            XTestFakeKeyEvent(m_dpy, XKeysymToKeycode(m_dpy, *it), False, CurrentTime);
        XFlush(m_dpy);
    }

    // The pixels of the middle half of row `y`.
    QByteArray row(int y)
    {
        const int w = width() / 2;
        XImage *img =
            XGetImage(m_dpy, DefaultRootWindow(m_dpy), width() / 4, y, w, 1, AllPlanes, ZPixmap);
        if (!img)
            return {};
        QByteArray bytes(img->data, img->bytes_per_line);
        XDestroyImage(img);
        return bytes;
    }

private:
    Display *m_dpy;
};

struct Figures
{
    qint64 rssLaunched = 0;
    qint64 rssShown = 0;
    double idleCpuPercent = 0;
    double coldFrameMs = 0;
    QList<double> frameMs;
};

bool waitRow(Screen &screen, int y, const QByteArray &baseline, bool changed, int timeoutMs,
             QElapsedTimer *t = nullptr, double *at = nullptr)
{
    QElapsedTimer limit;
    limit.start();
    while (limit.elapsed() < timeoutMs) {
        if ((screen.row(y) != baseline) == changed) {
            if (t && at)
                *at = BenchStats::msSince(*t);
            return true;
        }
        QThread::usleep(500);
    }
    return false;
}

std::optional<Figures> measure(int cards, int runs, int idleSeconds)
{
    DesktopSession s(DesktopSession::Options{true, true});
    if (!s.isReady()) {
        std::fprintf(stderr, "desktop: %s\n", qPrintable(s.error()));
        return std::nullopt;
    }
    QDir().mkpath(s.dataDir());
    BenchHistory::fillTextHistory(s.dataDir() + u"/varu.sqlite"_qs, cards);
    VaruConfig config;
    config.historyLimit = cards;
    config.playSounds = false;
    ConfigFile::save(config, s.dataDir());

    QProcess *varu = s.startVaru();
    const qint64 pid = varu->processId();
    Screen screen(s.display());
    if (!screen.isOpen())
        return std::nullopt;
    // Launched: the tray icon is there and the first snapshot has been read.
    QByteArray out;
    DesktopSession::waitFor([&] {
        s.run(u"xdotool"_qs, {u"search"_qs, u"--classname"_qs, u"^varu$"_qs}, &out);
        return out.count('\n') >= 3;
    });
    QThread::sleep(3);
    Figures f;
    f.rssLaunched = rssKiB(pid);

    const int bottom = screen.height() - 2;
    const QByteArray baseline = screen.row(bottom);
    for (int i = 0; i <= runs; ++i) {
        QElapsedTimer t;
        t.start();
        screen.press({XK_Super_L, XK_Shift_L, XK_v});
        double ms = 0;
        if (!waitRow(screen, bottom, baseline, true, 5000, &t, &ms)) {
            std::fprintf(stderr, "the strip never appeared (%d cards, run %d)\n", cards, i);
            continue;
        }
        if (i == 0)
            f.coldFrameMs = ms;
        else
            f.frameMs << ms;
        QThread::msleep(400); // slid up
        screen.press({XK_Escape});
        waitRow(screen, bottom, baseline, false, 5000);
        QThread::msleep(300);
    }
    f.rssShown = rssKiB(pid);

    QThread::sleep(2);
    const qint64 before = cpuTicks(pid);
    QThread::sleep(idleSeconds);
    const qint64 ticks = cpuTicks(pid) - before;
    f.idleCpuPercent = 100.0 * double(ticks) / double(sysconf(_SC_CLK_TCK)) / idleSeconds;
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int idle = qEnvironmentVariableIntValue("VARU_BENCH_IDLE_S") > 0
                         ? qEnvironmentVariableIntValue("VARU_BENCH_IDLE_S")
                         : 60;
    const int runs = qEnvironmentVariableIntValue("VARU_BENCH_RUNS") > 0
                         ? qEnvironmentVariableIntValue("VARU_BENCH_RUNS")
                         : 20;
    std::printf("The running application (Xvfb + Openbox + trayer, software Qt Quick)\n");
    for (int cards : {1000, 10000}) {
        const std::optional<Figures> f = measure(cards, runs, idle);
        if (!f)
            return 1;
        std::printf("%d cards\n", cards);
        std::printf("  RSS after launch                                      %8.1f MiB\n",
                    f->rssLaunched / 1024.0);
        std::printf("  RSS after the strip was shown %2d times                %8.1f MiB\n",
                    runs + 1, f->rssShown / 1024.0);
        std::printf("  idle CPU over %d s                                    %8.2f %%\n", idle,
                    f->idleCpuPercent);
        std::printf("  hotkey -> first frame, first time                     %8.1f ms\n",
                    f->coldFrameMs);
        BenchStats::print("  hotkey -> first frame, later", f->frameMs);
    }
    return 0;
}
