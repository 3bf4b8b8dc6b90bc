// Start-up costs: opening the store (new file, existing file with history), loading the
// configuration, the real binary's cold start until it answers on D-Bus, and with 10,000
// cards from launch to a usable strip: asked to open as soon as it answers, until its first
// frame and until its first card is on screen.

#include "BenchHistory.h"
#include "BenchStats.h"
#include "DesktopSession.h"

#include "settings/ConfigFile.h"
#include "store/Store.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <optional>

// Last: the X11 headers define names (Status, None) that Qt's headers use.
#include "BenchScreen.h"

namespace {

// Launches varu on `session` with the history already in its data folder, asks it to open
// the strip the moment it answers on D-Bus, and returns when the strip's first frame and its
// first card reached the screen (ms since launch), or nothing when it never showed.
struct Launch
{
    double answered = 0;
    double firstFrame = 0;
    double firstCard = 0;
};

std::optional<Launch> launchToStrip(DesktopSession &session, BenchScreen &screen,
                                    QDBusConnection &bus)
{
    // Rows of the strip: its bottom edge, and the middle of the first card's coloured header
    // (the strip sits 10 points above the bottom, 348 high; the card's header starts 77 points
    // into it and the card 28 points from the screen's left edge).
    const int bottom = screen.height() - 2;
    const int header = screen.height() - 10 - 348 + 77 + 30;
    const QByteArray baseline = screen.row(bottom);

    QElapsedTimer t;
    t.start();
    QProcess *varu = session.startVaru();
    Launch l;
    const QDBusMessage toggle = QDBusMessage::createMethodCall(
        u"com.teko.varu"_qs, u"/com/teko/varu"_qs, u"com.teko.varu"_qs, u"Toggle"_qs);
    while (t.elapsed() < 20000 && bus.call(toggle, QDBus::Block, 1000).type() !=
                                      QDBusMessage::ReplyMessage)
        QThread::usleep(500);
    l.answered = BenchStats::msSince(t);
    bool framed = false;
    while (t.elapsed() < 20000) {
        if (!framed && screen.row(bottom) != baseline) {
            framed = true;
            l.firstFrame = BenchStats::msSince(t);
        }
        // A card draws text and an icon on its colour; the empty strip is one plain colour.
        if (BenchScreen::colours(screen.row(header, 40, 200)) >= 8) {
            l.firstCard = BenchStats::msSince(t);
            if (!framed)
                l.firstFrame = l.firstCard;
            break;
        }
        QThread::usleep(250);
    }
    varu->terminate();
    varu->waitForFinished(5000);
    if (l.firstCard == 0)
        return std::nullopt;
    return l;
}

void launches(int cards)
{
    DesktopSession session({.windowManager = false, .trayHost = false});
    if (!session.isReady()) {
        std::printf("launch to strip: skipped (%s)\n", qPrintable(session.error()));
        return;
    }
    QDir().mkpath(session.dataDir());
    BenchHistory::fillTextHistory(session.dataDir() + u"/varu.sqlite"_qs, cards);
    VaruConfig config;
    config.historyLimit = cards;
    config.playSounds = false;
    ConfigFile::save(config, session.dataDir());
    BenchScreen screen(session.display());
    QDBusConnection bus = QDBusConnection::connectToBus(
        session.environment().value(u"DBUS_SESSION_BUS_ADDRESS"_qs), u"bench"_qs);
    if (!screen.isOpen() || !bus.isConnected()) {
        std::printf("launch to strip: skipped (no display or no bus)\n");
        return;
    }
    QList<double> answered, frame, card;
    for (int i = 0; i < 10; ++i) {
        const std::optional<Launch> l = launchToStrip(session, screen, bus);
        if (!l) {
            std::printf("launch to strip: the strip never showed a card (run %d)\n", i);
            continue;
        }
        answered << l->answered;
        frame << l->firstFrame;
        card << l->firstCard;
        QThread::msleep(300);
    }
    const QByteArray n = QByteArray::number(cards);
    BenchStats::print(("launch -> answers on D-Bus, " + n + " cards").constData(), answered);
    BenchStats::print(("launch -> strip's first frame, " + n + " cards").constData(), frame);
    BenchStats::print(("launch -> first card on screen, " + n + " cards").constData(), card);
    QDBusConnection::disconnectFromBus(u"bench"_qs);
}

} // namespace

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
    launches(10000);
    return 0;
}
