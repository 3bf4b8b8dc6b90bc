#include "X11WindowFocus.h"

#include "X11Connection.h"

#include <QDeadlineTimer>
#include <QThread>

#include <memory>

namespace {

using X11Connection::Reply;

bool exists(xcb_connection_t *c, xcb_window_t window)
{
    Reply<xcb_get_window_attributes_reply_t> r(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
    return bool(r);
}

// The window manager's active window while one runs, else the X input focus.
std::optional<WindowId> activeWindowOf(xcb_connection_t *c, bool windowManager)
{
    const xcb_window_t root = X11Connection::root();
    if (windowManager) {
        const auto w = X11Connection::cardinal(root, "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW);
        return w && *w ? std::optional<WindowId>(*w) : std::nullopt;
    }
    Reply<xcb_get_input_focus_reply_t> r(
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    if (!r || r->focus == XCB_NONE || r->focus == XCB_INPUT_FOCUS_POINTER_ROOT || r->focus == root)
        return std::nullopt;
    return r->focus;
}

} // namespace

std::optional<WindowId> X11WindowFocus::activeWindow()
{
    xcb_connection_t *c = X11Connection::connection();
    if (!c)
        return std::nullopt;
    return activeWindowOf(c, X11Connection::windowManagerRuns());
}

bool X11WindowFocus::activate(WindowId window, std::chrono::milliseconds timeout)
{
    xcb_connection_t *c = X11Connection::connection();
    const xcb_window_t root = X11Connection::root();
    if (!c || !exists(c, window))
        return false;
    // A window manager does not come or go within the wait below.
    const bool windowManager = X11Connection::windowManagerRuns();
    if (windowManager) {
        // Source 2: a pager acting for the user, which window managers do not second-guess.
        xcb_client_message_event_t msg{};
        msg.response_type = XCB_CLIENT_MESSAGE;
        msg.format = 32;
        msg.window = window;
        msg.type = X11Connection::atom("_NET_ACTIVE_WINDOW");
        msg.data.data32[0] = 2;
        msg.data.data32[1] = XCB_CURRENT_TIME;
        msg.data.data32[2] = activeWindowOf(c, true).value_or(XCB_NONE);
        xcb_send_event(c, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&msg));
    } else {
        // Fails (BadMatch) for a window that is not viewable.
        Reply<xcb_generic_error_t> error(xcb_request_check(
            c, xcb_set_input_focus_checked(c, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME)));
        if (error)
            return false;
    }
    xcb_flush(c);
    QDeadlineTimer deadline(timeout);
    while (activeWindowOf(c, windowManager) != window) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(2);
    }
    return true;
}

QStringList X11WindowFocus::windowClass(WindowId window)
{
    xcb_connection_t *c = X11Connection::connection();
    if (!c)
        return {};
    // Without a window manager the focus may sit on a child; the class is on the top level.
    xcb_window_t w = window;
    for (int depth = 0; depth < 16 && w != XCB_NONE; ++depth) {
        Reply<xcb_get_property_reply_t> r(xcb_get_property_reply(
            c, xcb_get_property(c, 0, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256), nullptr));
        if (r && r->format == 8 && xcb_get_property_value_length(r.get()) > 0) {
            const QByteArray raw(static_cast<const char *>(xcb_get_property_value(r.get())),
                                 xcb_get_property_value_length(r.get()));
            QStringList names;
            for (const QByteArray &part : raw.split('\0')) {
                if (!part.isEmpty())
                    names << QString::fromLocal8Bit(part);
            }
            return names;
        }
        Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr));
        if (!tree || tree->parent == tree->root)
            break;
        w = tree->parent;
    }
    return {};
}
