// Offers one clipboard copy with several types on a Wayland compositor, as a rich application
// would (wl-copy offers one type only): `varu_wl_offer TYPE=FILE...`, serving until killed.
// Like Varu it reads other clients' copies as they appear: stop it before the next copy.

#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandDataDevice.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    WaylandDataDevice::Offer offer;
    for (const QString &arg : app.arguments().mid(1)) {
        const qsizetype eq = arg.lastIndexOf(QLatin1Char('=')); // MIME names may hold '='
        QFile file(arg.mid(eq + 1));
        if (eq < 1 || !file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "usage: varu_wl_offer TYPE=FILE...\n");
            return 2;
        }
        offer.append({arg.left(eq), file.readAll()});
    }
    const std::unique_ptr<WaylandConnection> connection = WaylandConnection::open();
    if (!connection || !connection->globals().dataControl) {
        std::fprintf(stderr, "varu_wl_offer: no compositor with data control\n");
        return 1;
    }
    WaylandDataDevice *device =
        connection->adopt(new WaylandDataDevice(*connection, [](WaylandOffers::Snapshot) {}));
    WaylandConnection::post(device, [device, offer] { device->write(offer); });
    return app.exec();
}
