#pragma once
// The application of the active X11 window: _NET_ACTIVE_WINDOW while a window manager
// announces itself, else the input focus. Its WM_CLASS (or, for a window without one, its
// process) leads to the desktop entry that gives the id and display name.

#include "platform/FrontmostApp.h"

#include <xcb/xcb.h>

#include <QHash>
#include <QString>

struct _GAppInfoMonitor;

class X11FrontmostApp : public FrontmostApp
{
public:
    X11FrontmostApp();
    ~X11FrontmostApp() override;
    X11FrontmostApp(const X11FrontmostApp &) = delete;
    X11FrontmostApp &operator=(const X11FrontmostApp &) = delete;

    // Asked at every capture: a window class is looked up among the desktop entries once,
    // and again after the installed entries change.
    std::optional<AppIdentity> frontmost() override;

    // The window that has the keyboard, as the window manager or the X server says; 0 when
    // none (public for tests, like the rest).
    static xcb_window_t focusedWindow();
    // The top-level window above the focus that names its application, or 0.
    static xcb_window_t activeWindow();
    // The class part of a window's WM_CLASS; empty when it has none.
    static QString windowClass(xcb_window_t window);
    // _NET_WM_PID, else the X server's record of the client's process; 0 when unknown.
    static quint32 windowPid(xcb_window_t window);
    // The desktop entry id and display name for a window class; the lower-cased class and
    // the class itself when no entry claims it.
    static AppIdentity identify(const QString &wmClass);
    // For windows without any class: the desktop entry that runs the process's program.
    static std::optional<AppIdentity> identifyProcess(quint32 pid);

private:
    QHash<QString, AppIdentity> m_byClass;
    _GAppInfoMonitor *m_entries;
};
