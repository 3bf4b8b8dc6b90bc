#pragma once
// Whether a compositing manager runs, so that translucent windows really show what is behind
// them. On X11: the _NET_WM_CM_S0 selection has an owner. Without a compositor, transparent
// pixels come out black.

namespace DesktopCompositor {

bool isRunning();

} // namespace DesktopCompositor
