#pragma once
// Every service the application needs of the desktop it runs on, built together for one
// platform: one object for the life of the process, created after the QGuiApplication.

#include <QIcon>
#include <QString>

#include <optional>

class Clipboard;
class FrontmostApp;
class HotKeyGrabber;
class InstalledApps;
class KeyInjector;
class KeyboardLayout;
class QWindow;
class SoundPlayer;
class WindowFocus;
class Workspace;

// Main thread only. The services live as long as the Desktop that hands them out.
class Desktop
{
public:
    virtual ~Desktop() = default;

    virtual Clipboard &clipboard() = 0;
    virtual FrontmostApp &frontmostApp() = 0;
    virtual WindowFocus &windowFocus() = 0;
    virtual KeyboardLayout &keyboardLayout() = 0;
    virtual KeyInjector &keyInjector() = 0;
    virtual HotKeyGrabber &hotKeyGrabber() = 0;
    virtual Workspace &workspace() = 0;
    virtual SoundPlayer &sounds() = 0;
    virtual InstalledApps &installedApps() = 0;

    // Whether a compositing manager runs now, so translucent windows show what is behind
    // them; without one, transparency shows black.
    virtual bool compositorRunning() = 0;
    // The icon of the application with this desktop entry id, uncached; none when the
    // desktop does not know it.
    virtual std::optional<QIcon> appIcon(const QString &appID) = 0;
    // Whether this session may keep the clipboard from Varu while none of its windows has the
    // focus. An X server never does; only such sessions need to explain it to the user.
    virtual bool clipboardMayNeedFocus() { return false; }
    // Whatever this desktop needs of the strip's window before it is created, so that it
    // stays above others and out of the taskbar without the window manager's say.
    virtual void prepareStripWindow(QWindow &window) = 0;
};
