#pragma once
// The X11 connection Qt already holds, for the services that talk to the X server directly.
// Everything is null/0 when the application does not run on the xcb platform.

#include <xcb/xcb.h>

#include <QtGlobal>

#include <cstdlib>
#include <memory>
#include <optional>

namespace X11Connection {

struct FreeReply
{
    void operator()(void *p) const { std::free(p); }
};
// A reply or error from xcb, which the caller frees.
template<typename T> using Reply = std::unique_ptr<T, FreeReply>;

xcb_connection_t *connection();
xcb_window_t root();
// Interns an atom (cached per process); 0 when there is no connection.
xcb_atom_t atom(const char *name);

// The first 32-bit value of a window's property of that type; none when the window or the
// property is missing.
std::optional<quint32> cardinal(xcb_window_t window, const char *property, xcb_atom_t type);
// A window manager announces itself: the root's check window names itself (a stale property
// outlives a crashed window manager).
bool windowManagerRuns();

} // namespace X11Connection
