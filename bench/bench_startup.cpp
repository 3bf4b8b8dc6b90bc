// Start-up costs: opening the store (new file, existing file with history), loading the
// configuration, and the real binary's cold start until it answers on D-Bus.

#include "BenchHistory.h"
#include "BenchStats.h"
#include "DesktopSession.h"

#include "settings/ConfigFile.h"
#include "store/Store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const int runs = 30;

    QList<double> fresh, existing, config;
    const QString big = dir.filePath(QStringLiteral("big.sqlite"));
    BenchHistory::fillTextHistory(big, 10000);
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        {
            auto s = Store::open(dir.filePath(QStringLiteral("new%1.sqlite").arg(i)));
        }
        fresh << BenchStats::msSince(t);
        t.restart();
        {
            auto s = Store::open(big);
        }
        existing << BenchStats::msSince(t);
        t.restart();
        ConfigFile::load(dir.path());
        config << BenchStats::msSince(t);
    }
    BenchStats::print("Store::open, new file (incl. close)", fresh);
    BenchStats::print("Store::open, 10,000 cards (incl. close)", existing);
    BenchStats::print("ConfigFile::load", config);

    // The real binary: process start until its D-Bus name is owned (store open, event loop up).
    DesktopSession session({.windowManager = false, .trayHost = false});
    if (!session.isReady()) {
        std::printf("cold start: skipped (%s)\n", qPrintable(session.error()));
        return 0;
    }
    QList<double> cold;
    for (int i = 0; i < 10; ++i) {
        QElapsedTimer t;
        t.start();
        QProcess *varu = session.startVaru();
        DesktopSession::waitFor(
            [&] {
                QByteArray out;
                session.run(QStringLiteral("dbus-send"),
                            {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                             QStringLiteral("--dest=org.freedesktop.DBus"), QStringLiteral("/"),
                             QStringLiteral("org.freedesktop.DBus.NameHasOwner"),
                             QStringLiteral("string:com.teko.varu")},
                            &out, 2000);
                return out.contains("boolean true");
            },
            20000);
        cold << BenchStats::msSince(t);
        varu->terminate();
        varu->waitForFinished(5000);
    }
    BenchStats::print("varu cold start to event loop (D-Bus name owned)", cold);
    return 0;
}
