#pragma once
// The active window and its application on a compositor that lists toplevels: the window's
// app_id names its desktop entry ("foot" → foot.desktop), else the entry whose StartupWMClass
// matches, as on X11. Varu's own windows are not application windows: while one of them is
// active, none is.

#include "platform/FrontmostApp.h"
#include "platform/WindowFocus.h"

class WaylandToplevels;

class WaylandWindowFocus : public WindowFocus
{
public:
    // `toplevels` null: the compositor lists no windows, and nothing is ever active.
    explicit WaylandWindowFocus(WaylandToplevels *toplevels);

    std::optional<WindowId> activeWindow() override;
    bool activate(WindowId window, std::chrono::milliseconds timeout) override;
    // The app_id twice, as instance and class.
    QStringList windowClass(WindowId window) override;

private:
    WaylandToplevels *m_toplevels;
};

class WaylandFrontmostApp : public FrontmostApp
{
public:
    explicit WaylandFrontmostApp(WaylandToplevels *toplevels);

    std::optional<AppIdentity> frontmost() override;

    // The desktop entry for an app_id; the app_id itself when no entry claims it.
    static AppIdentity identify(const QString &appId);

private:
    WaylandToplevels *m_toplevels;
};
