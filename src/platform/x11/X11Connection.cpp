#include "X11Connection.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QHash>

namespace X11Connection {

namespace {
QNativeInterface::QX11Application *native()
{
    return qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
}
} // namespace

xcb_connection_t *connection()
{
    auto *x11 = native();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t root()
{
    xcb_connection_t *c = connection();
    if (!c)
        return 0;
    const xcb_setup_t *setup = xcb_get_setup(c);
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup);
    return it.rem ? it.data->root : 0;
}

xcb_atom_t atom(const char *name)
{
    static QHash<QByteArray, xcb_atom_t> cache;
    xcb_connection_t *c = connection();
    if (!c)
        return 0;
    const QByteArray key(name);
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, uint16_t(key.size()), key.constData()), nullptr);
    const xcb_atom_t a = reply ? reply->atom : 0;
    free(reply);
    if (a)
        cache.insert(key, a);
    return a;
}

std::optional<quint32> cardinal(xcb_window_t window, const char *property, xcb_atom_t type)
{
    xcb_connection_t *c = connection();
    const xcb_atom_t name = atom(property);
    if (!c || !name || !window)
        return std::nullopt;
    Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, name, type, 0, 1), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
        return std::nullopt;
    return *static_cast<const quint32 *>(xcb_get_property_value(reply.get()));
}

bool windowManagerRuns()
{
    const std::optional<quint32> check =
        cardinal(root(), "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW);
    return check && *check &&
           cardinal(*check, "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW) == check;
}

} // namespace X11Connection
