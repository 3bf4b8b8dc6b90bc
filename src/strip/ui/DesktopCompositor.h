#pragma once
// Whether a compositing manager runs, so that translucent windows show what is behind them
// (on X11: the _NET_WM_CM_S0 selection has an owner); without one, transparency is black.

namespace DesktopCompositor {

bool isRunning();

} // namespace DesktopCompositor
