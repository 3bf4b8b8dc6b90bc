#include "DesktopCompositor.h"

#include "platform/x11/X11Connection.h"

#include <cstdlib>
#include <memory>

namespace DesktopCompositor {

bool isRunning()
{
    xcb_connection_t *c = X11Connection::connection();
    const xcb_atom_t selection = X11Connection::atom("_NET_WM_CM_S0");
    if (!c || !selection)
        return false;
    std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&free)> reply(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr), &free);
    return reply && reply->owner != XCB_NONE;
}

} // namespace DesktopCompositor
