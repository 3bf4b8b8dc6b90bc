#include "X11Compositor.h"

#include "X11Connection.h"

namespace X11Compositor {

bool isRunning()
{
    xcb_connection_t *c = X11Connection::connection();
    const xcb_atom_t selection = X11Connection::atom("_NET_WM_CM_S0");
    if (!c || !selection)
        return false;
    const X11Connection::Reply<xcb_get_selection_owner_reply_t> reply(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr));
    return reply && reply->owner != XCB_NONE;
}

} // namespace X11Compositor
