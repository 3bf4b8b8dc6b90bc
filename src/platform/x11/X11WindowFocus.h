#pragma once
// Keyboard focus on X11: the EWMH active window while a window manager runs, the X input
// focus without one; giving it back through the window manager (or directly without one).

#include "platform/WindowFocus.h"

#include <xcb/xcb.h>

class X11WindowFocus : public WindowFocus
{
public:
    std::optional<WindowId> activeWindow() override;
    bool activate(WindowId window, std::chrono::milliseconds timeout) override;
    QStringList windowClass(WindowId window) override;
};
