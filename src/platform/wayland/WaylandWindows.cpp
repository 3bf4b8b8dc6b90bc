#include "WaylandWindows.h"

#include "WaylandToplevels.h"

#include "platform/x11/X11FrontmostApp.h"

#include <gio/gdesktopappinfo.h>

#include <QGuiApplication>

namespace {

std::optional<WindowId> foreignActive(WaylandToplevels *toplevels)
{
    if (!toplevels)
        return std::nullopt;
    const std::optional<WindowId> id = toplevels->active();
    if (!id)
        return std::nullopt;
    const std::optional<WaylandToplevels::Window> window = toplevels->window(*id);
    if (!window || window->appId == QGuiApplication::desktopFileName())
        return std::nullopt;
    return id;
}

} // namespace

WaylandWindowFocus::WaylandWindowFocus(WaylandToplevels *toplevels)
    : m_toplevels(toplevels)
{}

std::optional<WindowId> WaylandWindowFocus::activeWindow()
{
    return foreignActive(m_toplevels);
}

bool WaylandWindowFocus::activate(WindowId window, std::chrono::milliseconds timeout)
{
    return m_toplevels && m_toplevels->activate(window, timeout);
}

QStringList WaylandWindowFocus::windowClass(WindowId window)
{
    if (!m_toplevels)
        return {};
    const std::optional<WaylandToplevels::Window> w = m_toplevels->window(window);
    if (!w || w->appId.isEmpty())
        return {};
    return {w->appId, w->appId};
}

WaylandFrontmostApp::WaylandFrontmostApp(WaylandToplevels *toplevels)
    : m_toplevels(toplevels)
{}

std::optional<AppIdentity> WaylandFrontmostApp::frontmost()
{
    const std::optional<WindowId> id = foreignActive(m_toplevels);
    if (!id)
        return std::nullopt;
    const std::optional<WaylandToplevels::Window> window = m_toplevels->window(*id);
    if (!window || window->appId.isEmpty())
        return std::nullopt;
    return identify(window->appId);
}

AppIdentity WaylandFrontmostApp::identify(const QString &appId)
{
    const QByteArray file = (appId + QLatin1String(".desktop")).toUtf8();
    if (GDesktopAppInfo *info = g_desktop_app_info_new(file.constData())) {
        AppIdentity identity{appId,
                             QString::fromUtf8(g_app_info_get_display_name(G_APP_INFO(info)))};
        g_object_unref(info);
        return identity;
    }
    return X11FrontmostApp::identify(appId);
}
