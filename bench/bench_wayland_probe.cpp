// The measuring half of bench_wayland.sh, run inside its sway session beside the real binary:
// copies set from this process through data control (no helper to start), the committed row
// watched in the database, and the paste watched in foot's output file.
//   bench_wayland_probe DATABASE TYPED_FILE VARU_BINARY

#include "BenchStats.h"
#include "DbProbe.h"

#include "capture/ClipboardMonitor.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandDataDevice.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <cstdio>

namespace {

// Lets events run until `done` holds or `timeoutMs` passes.
template<typename P>
bool waitFor(P done, int timeoutMs = 5000)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        if (done())
            return true;
        QThread::usleep(250);
    }
    return false;
}

void run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, args);
    process.waitForFinished();
}

bool stripFocused()
{
    QProcess tree;
    tree.start(QStringLiteral("sh"),
               {QStringLiteral("-c"),
                QStringLiteral("swaymsg -t get_tree | jq -r '.. | objects | select(.focused == "
                               "true) | .app_id'")});
    tree.waitForFinished();
    return tree.readAllStandardOutput().trimmed() == "com.teko.varu";
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: bench_wayland_probe DATABASE TYPED_FILE VARU_BINARY\n");
        return 2;
    }
    const int runs = qEnvironmentVariableIntValue("VARU_BENCH_RUNS") > 0
                         ? qEnvironmentVariableIntValue("VARU_BENCH_RUNS")
                         : 20;
    const std::unique_ptr<WaylandConnection> connection = WaylandConnection::open();
    if (!connection || !connection->globals().dataControl) {
        std::fprintf(stderr, "no compositor with data control\n");
        return 1;
    }
    WaylandDataDevice *device =
        connection->adopt(new WaylandDataDevice(*connection, [](WaylandOffers::Snapshot) {}));
    DbProbe db(args.at(1));

    QList<double> capture;
    for (int i = 0; i < runs; ++i) {
        // Copies land anywhere in the poll cycle, as a user's do.
        const int offset = QRandomGenerator::global()->bounded(ClipboardMonitor::kPollIntervalMs);
        waitFor([] { return false; }, offset);
        const QString title = QStringLiteral("medida %1").arg(i);
        const WaylandDataDevice::Offer offer{{QStringLiteral("text/plain;charset=utf-8"),
                                              title.toUtf8()}};
        QElapsedTimer t;
        t.start();
        WaylandConnection::post(device, [device, offer] { device->write(offer); });
        if (!waitFor([&] {
                return db.scalar(QStringLiteral("SELECT COUNT(*) FROM items WHERE title = ?"),
                                 {title})
                           .toInt() > 0;
            })) {
            std::printf("copy %d was not stored\n", i);
            break;
        }
        capture << BenchStats::msSince(t) - ClipboardMonitor::kQuietPeriodMs;
    }
    BenchStats::print("text copy -> committed row, less the quiet period", capture);

    const QString typed = args.at(2);
    QList<double> paste, wtype;
    for (int i = 0; i < runs; ++i) {
        run(QStringLiteral("swaymsg"), {QStringLiteral("[app_id=\"foot\"] focus")});
        run(args.at(3), {QStringLiteral("toggle")});
        if (!waitFor(stripFocused))
            continue;
        QThread::msleep(300); // the strip settles
        const qint64 before = QFileInfo(typed).size();
        QElapsedTimer t;
        t.start();
        QProcess keys;
        keys.start(QStringLiteral("wtype"), {QStringLiteral("-k"), QStringLiteral("Return")});
        keys.waitForStarted();
        const double started = BenchStats::msSince(t);
        if (waitFor([&] { return QFileInfo(typed).size() > before; }))
            paste << BenchStats::msSince(t) - started;
        wtype << started;
        keys.waitForFinished();
    }
    BenchStats::print("Return in the strip -> text in foot", paste);
    BenchStats::print("  (starting wtype, not counted above)", wtype);
    return 0;
}
