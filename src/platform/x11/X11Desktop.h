#pragma once
// The desktop as an X server provides it: the clipboard, the application in front, the
// keyboard (layout, hotkey grab, key injection), focus and the compositor selection, with
// the freedesktop file manager, icons and sounds.

#include "platform/Desktop.h"

#include <memory>

// Needs a QGuiApplication on the xcb platform; off it, every service answers "nothing".
class X11Desktop : public Desktop
{
public:
    X11Desktop();
    ~X11Desktop() override;

    Clipboard &clipboard() override;
    FrontmostApp &frontmostApp() override;
    WindowFocus &windowFocus() override;
    KeyboardLayout &keyboardLayout() override;
    KeyInjector &keyInjector() override;
    HotKeyGrabber &hotKeyGrabber() override;
    Workspace &workspace() override;
    SoundPlayer &sounds() override;
    InstalledApps &installedApps() override;

    bool compositorRunning() override;
    std::optional<QIcon> appIcon(const QString &appID) override;
    // Override-redirect: the window manager neither decorates, places nor lists it.
    void prepareStripWindow(QWindow &window) override;

private:
    struct Services;
    std::unique_ptr<Services> m_services;
};
