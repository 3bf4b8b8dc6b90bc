// A CLIPBOARD owner that lists its types but never sends any of them, as an application that
// hangs while holding the clipboard does. Arguments: the targets to list. Prints "owning"
// once it owns the selection, then runs until killed.

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

xcb_atom_t intern(xcb_connection_t *c, const char *name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : XCB_NONE;
    std::free(reply);
    return atom;
}

} // namespace

int main(int argc, char **argv)
{
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t window = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t clipboard = intern(c, "CLIPBOARD");
    const xcb_atom_t targetsAtom = intern(c, "TARGETS");
    std::vector<xcb_atom_t> targets{targetsAtom};
    for (int i = 1; i < argc; ++i)
        targets.push_back(intern(c, argv[i]));

    // A real timestamp: owners that claim with CurrentTime are refused by careful readers.
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(c, window, XCB_CW_EVENT_MASK, &mask);
    xcb_change_property(c, XCB_PROP_MODE_APPEND, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0,
                        nullptr);
    xcb_flush(c);
    xcb_timestamp_t time = XCB_CURRENT_TIME;
    while (xcb_generic_event_t *event = xcb_wait_for_event(c)) {
        const bool stamped = (event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY;
        if (stamped)
            time = reinterpret_cast<xcb_property_notify_event_t *>(event)->time;
        std::free(event);
        if (stamped)
            break;
    }
    xcb_set_selection_owner(c, window, clipboard, time);
    xcb_flush(c);
    std::printf("owning\n");
    std::fflush(stdout);

    while (xcb_generic_event_t *event = xcb_wait_for_event(c)) {
        if ((event->response_type & 0x7f) == XCB_SELECTION_REQUEST) {
            const auto *request = reinterpret_cast<xcb_selection_request_event_t *>(event);
            if (request->target == targetsAtom) {
                xcb_change_property(c, XCB_PROP_MODE_REPLACE, request->requestor,
                                    request->property, XCB_ATOM_ATOM, 32,
                                    uint32_t(targets.size()), targets.data());
                xcb_selection_notify_event_t notify{};
                notify.response_type = XCB_SELECTION_NOTIFY;
                notify.time = request->time;
                notify.requestor = request->requestor;
                notify.selection = request->selection;
                notify.target = request->target;
                notify.property = request->property;
                xcb_send_event(c, 0, request->requestor, XCB_EVENT_MASK_NO_EVENT,
                               reinterpret_cast<const char *>(&notify));
                xcb_flush(c);
            }
            // Every other request is left unanswered.
        }
        std::free(event);
    }
    return 0;
}
