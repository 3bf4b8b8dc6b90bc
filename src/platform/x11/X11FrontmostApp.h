#pragma once
// The application of the active X11 window: _NET_ACTIVE_WINDOW while a window manager
// announces itself, else the input focus. Its WM_CLASS (and PID, when the class names no
// desktop entry) leads to the desktop entry that gives the id and display name.

#include "platform/FrontmostApp.h"

#include <xcb/xcb.h>

#include <QString>

class X11FrontmostApp : public FrontmostApp
{
public:
    std::optional<AppIdentity> frontmost() override;

    // The top-level window the user works in, or 0 (public for tests).
    static xcb_window_t activeWindow();
    // The class part of a window's WM_CLASS; empty when it has none.
    static QString windowClass(xcb_window_t window);
    // _NET_WM_PID, else the X server's record of the client's process; 0 when unknown.
    static quint32 windowPid(xcb_window_t window);
    // The desktop entry id and display name for a window class (and process, when known).
    static AppIdentity identify(const QString &wmClass, quint32 pid);
};
