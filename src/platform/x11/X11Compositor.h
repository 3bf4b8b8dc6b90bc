#pragma once
// Whether a compositing manager runs on the X server: the _NET_WM_CM_S0 selection has an
// owner. False off the xcb platform.

namespace X11Compositor {

bool isRunning();

} // namespace X11Compositor
