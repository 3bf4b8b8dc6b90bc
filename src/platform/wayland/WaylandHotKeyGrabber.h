#pragma once
// Wayland lets no client claim a key combination on the whole desktop: the user binds the
// desktop's own shortcut to `varu toggle` instead. Every grab fails, and says so once in the
// log with the exact steps for sway, GNOME and KDE.

#include "platform/HotKeyGrabber.h"

class WaylandHotKeyGrabber : public HotKeyGrabber
{
public:
    bool available() const override { return false; }
    Result grab(quint16 keyCode, KeyModifiers modifiers, std::function<void()> pressed) override;

    // How to bind the desktop's own shortcut, for the log and the user.
    static QString instructions();

private:
    bool m_explained = false;
};
