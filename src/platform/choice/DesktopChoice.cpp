#include "DesktopChoice.h"

#include "XWaylandDesktop.h"

#include "platform/Log.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandDesktop.h"
#include "platform/x11/X11Desktop.h"

#include <QGuiApplication>

namespace DesktopChoice {

QByteArray qtPlatformFor(const Session &session)
{
    // A platform the user asked for is theirs to keep. A compositor that lets clients read
    // the clipboard gets the Wayland services (with XWayland as the way out when Qt lacks
    // its Wayland plugin); any other Wayland desktop is better served through XWayland,
    // where there is one.
    if (!session.requestedPlatform.isEmpty())
        return {};
    if (session.waylandDisplay && session.waylandClipboard)
        return session.xDisplay ? QByteArrayLiteral("wayland;xcb") : QByteArrayLiteral("wayland");
    if (session.xDisplay)
        return QByteArrayLiteral("xcb");
    return {};
}

bool hasDisplay(const Session &session)
{
    return session.xDisplay || session.waylandDisplay || !session.requestedPlatform.isEmpty();
}

Backend backendFor(const QString &qtPlatform)
{
    if (qtPlatform.startsWith(QLatin1String("wayland")))
        return Backend::Wayland;
    if (qtPlatform != QLatin1String("xcb"))
        qCInfo(lcVaru, "Plataforma %s sem serviços próprios: usando os do X11",
               qUtf8Printable(qtPlatform));
    return Backend::X11;
}

bool preparePlatform()
{
    Session session{!qEnvironmentVariableIsEmpty("DISPLAY"),
                    !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"), qgetenv("QT_QPA_PLATFORM")};
    if (session.waylandDisplay && session.requestedPlatform.isEmpty()) {
        const WaylandConnection::Offers offers = WaylandConnection::probe();
        session.waylandClipboard = offers.dataControl;
        if (offers.connected && !offers.dataControl)
            qCInfo(lcVaru, "O compositor Wayland não deixa ler o clipboard sem foco%s",
                   session.xDisplay ? ": usando o X11 (XWayland)" : "");
    }
    const QByteArray platform = qtPlatformFor(session);
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
    return hasDisplay(session);
}

std::unique_ptr<Desktop> createDesktop()
{
    switch (backendFor(QGuiApplication::platformName())) {
    case Backend::Wayland:
        return std::make_unique<WaylandDesktop>();
    case Backend::X11:
        break;
    }
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return std::make_unique<XWaylandDesktop>();
    return std::make_unique<X11Desktop>();
}

} // namespace DesktopChoice
