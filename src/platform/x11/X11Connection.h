#pragma once
// The X11 connection Qt already holds, for the services that talk to the X server directly.
// Everything is null/0 when the application does not run on the xcb platform.

#include <xcb/xcb.h>

namespace X11Connection {

xcb_connection_t *connection();
xcb_window_t root();
// Interns an atom (cached per process); 0 when there is no connection.
xcb_atom_t atom(const char *name);

} // namespace X11Connection
