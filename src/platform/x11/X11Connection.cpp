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

} // namespace X11Connection
