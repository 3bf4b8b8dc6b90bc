// The running application on a desktop with a window manager and a tray (Xvfb, Openbox,
// trayer), with 1,000 and with 10,000 cards: its memory (RSS) after launch and once the strip
// has been shown, its CPU time and wake-ups while idle with the strip hidden, and the time
// from a press of the hotkey to the strip's first frame on screen (the first pixels of the
// panel at the bottom edge).
//   VARU_BENCH_IDLE_S   seconds of idle measurement (60)
//   VARU_BENCH_RUNS     hotkey presses per history size (20)

#include "BenchHistory.h"
#include "BenchStats.h"
#include "ProcessLoad.h"
#include "DesktopSession.h"

#include "settings/ConfigFile.h"
#include "store/Store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <X11/keysym.h>

// Last: the X11 headers define names (Status, None) that Qt's headers use.
#include "BenchScreen.h"

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

struct Figures
{
    qint64 rssLaunched = 0;
    qint64 rssShown = 0;
    ProcessLoad::Delta idle;
    double coldFrameMs = 0;
    QList<double> frameMs;
};

bool waitRow(BenchScreen &screen, int y, const QByteArray &baseline, bool changed, int timeoutMs,
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
    BenchScreen screen(s.display());
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
    const auto before = ProcessLoad::threads(pid);
    QThread::sleep(idleSeconds);
    f.idle = ProcessLoad::between(before, ProcessLoad::threads(pid));
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
        // The clipboard is polled 4 times a second where the platform does not announce
        // changes: those wake-ups are the main thread's.
        std::printf("  idle over %d s, strip hidden: CPU %.2f ms, wake-ups %lld\n", idle,
                    f->idle.cpuMs, static_cast<long long>(f->idle.wakeups));
        std::printf("    by thread: %s\n", qPrintable(ProcessLoad::describe(f->idle)));
        std::printf("  hotkey -> first frame, first time                     %8.1f ms\n",
                    f->coldFrameMs);
        BenchStats::print("  hotkey -> first frame, later", f->frameMs);
    }
    return 0;
}
