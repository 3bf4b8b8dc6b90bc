#include "X11FrontmostApp.h"

#include "X11Connection.h"

#include <gio/gdesktopappinfo.h>
#include <xcb/res.h>

#include <QFileInfo>

#include <memory>

namespace {

using X11Connection::cardinal;
using X11Connection::Reply;

xcb_window_t parentOf(xcb_window_t window)
{
    xcb_connection_t *c = X11Connection::connection();
    Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
    return tree ? tree->parent : 0;
}

// From the focused widget up to the first window that names its application.
xcb_window_t withClass(xcb_window_t window)
{
    const xcb_window_t root = X11Connection::root();
    for (int depth = 0; window && window != root && depth < 64; ++depth) {
        if (!X11FrontmostApp::windowClass(window).isEmpty())
            return window;
        window = parentOf(window);
    }
    return 0;
}

struct AppInfoList
{
    GList *list = g_app_info_get_all();
    ~AppInfoList() { g_list_free_full(list, g_object_unref); }
};

QString desktopId(GAppInfo *info)
{
    QString id = QString::fromUtf8(g_app_info_get_id(info));
    if (id.endsWith(QLatin1String(".desktop")))
        id.chop(8);
    return id;
}

AppIdentity fromInfo(GAppInfo *info)
{
    return {desktopId(info), QString::fromUtf8(g_app_info_get_display_name(info))};
}

std::optional<AppIdentity> byStartupClass(const QString &wmClass)
{
    AppInfoList all;
    for (GList *l = all.list; l; l = l->next) {
        auto *info = G_APP_INFO(l->data);
        if (!G_IS_DESKTOP_APP_INFO(info))
            continue;
        const char *startup = g_desktop_app_info_get_startup_wm_class(G_DESKTOP_APP_INFO(info));
        if (startup && wmClass.compare(QString::fromUtf8(startup), Qt::CaseInsensitive) == 0)
            return fromInfo(info);
    }
    return std::nullopt;
}

std::optional<AppIdentity> byDesktopId(const QString &id)
{
    GDesktopAppInfo *info = g_desktop_app_info_new(id.toUtf8().constData());
    if (!info)
        return std::nullopt;
    AppIdentity identity = fromInfo(G_APP_INFO(info));
    g_object_unref(info);
    return identity;
}

// A window without any class is still found by the program its process runs.
std::optional<AppIdentity> byExecutable(quint32 pid)
{
    if (!pid)
        return std::nullopt;
    const QString exe = QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
    if (exe.isEmpty())
        return std::nullopt;
    const QString name = QFileInfo(exe).fileName();
    AppInfoList all;
    for (GList *l = all.list; l; l = l->next) {
        auto *info = G_APP_INFO(l->data);
        const char *executable = g_app_info_get_executable(info);
        if (!executable)
            continue;
        const QString candidate = QString::fromUtf8(executable);
        if (candidate == exe || QFileInfo(candidate).fileName() == name)
            return fromInfo(info);
    }
    return std::nullopt;
}

} // namespace

xcb_window_t X11FrontmostApp::focusedWindow()
{
    xcb_connection_t *c = X11Connection::connection();
    if (!c)
        return 0;
    if (X11Connection::windowManagerRuns()) {
        const std::optional<quint32> active =
            cardinal(X11Connection::root(), "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW);
        return active.value_or(0);
    }
    Reply<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    // None and PointerRoot name no window.
    if (!focus || focus->focus == XCB_NONE || focus->focus == XCB_INPUT_FOCUS_POINTER_ROOT)
        return 0;
    return focus->focus;
}

xcb_window_t X11FrontmostApp::activeWindow()
{
    return withClass(focusedWindow());
}

QString X11FrontmostApp::windowClass(xcb_window_t window)
{
    xcb_connection_t *c = X11Connection::connection();
    if (!c || !window)
        return {};
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256), nullptr));
    if (!reply || reply->format != 8)
        return {};
    // "instance\0class\0"
    const QByteArray value(static_cast<const char *>(xcb_get_property_value(reply.get())),
                           xcb_get_property_value_length(reply.get()));
    const QList<QByteArray> parts = value.split('\0');
    if (parts.size() < 2)
        return {};
    return QString::fromLocal8Bit(parts.at(1));
}

quint32 X11FrontmostApp::windowPid(xcb_window_t window)
{
    if (const std::optional<quint32> pid = cardinal(window, "_NET_WM_PID", XCB_ATOM_CARDINAL))
        return *pid;
    xcb_connection_t *c = X11Connection::connection();
    if (!c)
        return 0;
    xcb_res_client_id_spec_t spec{window, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
    Reply<xcb_res_query_client_ids_reply_t> reply(
        xcb_res_query_client_ids_reply(c, xcb_res_query_client_ids(c, 1, &spec), nullptr));
    if (!reply)
        return 0;
    for (auto it = xcb_res_query_client_ids_ids_iterator(reply.get()); it.rem;
         xcb_res_client_id_value_next(&it)) {
        if ((it.data->spec.mask & XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID) &&
            xcb_res_client_id_value_value_length(it.data) >= 1)
            return *xcb_res_client_id_value_value(it.data);
    }
    return 0;
}

AppIdentity X11FrontmostApp::identify(const QString &wmClass)
{
    if (std::optional<AppIdentity> app = byStartupClass(wmClass))
        return *app;
    if (std::optional<AppIdentity> app = byDesktopId(wmClass.toLower() + QLatin1String(".desktop")))
        return *app;
    return {wmClass.toLower(), wmClass};
}

std::optional<AppIdentity> X11FrontmostApp::identifyProcess(quint32 pid)
{
    return byExecutable(pid);
}

X11FrontmostApp::X11FrontmostApp()
    : m_entries(g_app_info_monitor_get())
{
    g_signal_connect(m_entries, "changed", G_CALLBACK(+[](GAppInfoMonitor *, gpointer self) {
                         static_cast<X11FrontmostApp *>(self)->m_byClass.clear();
                     }),
                     this);
}

X11FrontmostApp::~X11FrontmostApp()
{
    g_signal_handlers_disconnect_by_data(m_entries, this);
    g_object_unref(m_entries);
}

std::optional<AppIdentity> X11FrontmostApp::frontmost()
{
    const xcb_window_t focused = focusedWindow();
    if (!focused)
        return std::nullopt;
    // The class is what the application says it is; a password manager started through a
    // generic launcher is still recognised by it.
    if (const xcb_window_t top = withClass(focused)) {
        const QString wmClass = windowClass(top);
        auto known = m_byClass.constFind(wmClass);
        if (known == m_byClass.cend())
            known = m_byClass.insert(wmClass, identify(wmClass));
        return *known;
    }
    return identifyProcess(windowPid(focused));
}
