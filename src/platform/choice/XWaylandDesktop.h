#pragma once
// The X11 services through XWayland, on a Wayland desktop that offers no clipboard access of
// its own (GNOME): synthetic keys reach X11 windows only, so the paste keystroke is promised
// only while an X11 window has the focus; otherwise the card waits on the clipboard.

#include "platform/x11/X11Desktop.h"

#include <memory>

class XWaylandDesktop : public X11Desktop
{
public:
    XWaylandDesktop();
    ~XWaylandDesktop() override;

    KeyInjector &keyInjector() override;

private:
    class Keys;
    std::unique_ptr<Keys> m_keys;
};
