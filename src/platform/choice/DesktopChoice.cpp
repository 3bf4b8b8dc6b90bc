#include "DesktopChoice.h"

#include "platform/Log.h"
#include "platform/x11/X11Desktop.h"

#include <QGuiApplication>

namespace DesktopChoice {

QByteArray qtPlatformFor(const Session &session)
{
    // The hotkey, key injection and clipboard services speak X11 only so far; on a Wayland
    // desktop that means XWayland. A platform the user asked for is theirs to keep.
    if (session.xDisplay && session.requestedPlatform.isEmpty())
        return QByteArrayLiteral("xcb");
    return {};
}

bool hasDisplay(const Session &session)
{
    return session.xDisplay || session.waylandDisplay || !session.requestedPlatform.isEmpty();
}

Backend backendFor(const QString &qtPlatform)
{
    if (qtPlatform != QLatin1String("xcb"))
        qCInfo(lcVaru, "Plataforma %s sem serviços próprios: usando os do X11",
               qUtf8Printable(qtPlatform));
    return Backend::X11;
}

bool preparePlatform()
{
    const Session session{!qEnvironmentVariableIsEmpty("DISPLAY"),
                          !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"),
                          qgetenv("QT_QPA_PLATFORM")};
    const QByteArray platform = qtPlatformFor(session);
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
    return hasDisplay(session);
}

std::unique_ptr<Desktop> createDesktop()
{
    switch (backendFor(QGuiApplication::platformName())) {
    case Backend::X11:
        break;
    }
    return std::make_unique<X11Desktop>();
}

} // namespace DesktopChoice
