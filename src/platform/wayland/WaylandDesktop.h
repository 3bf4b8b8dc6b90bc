#pragma once
// The desktop as a Wayland compositor provides it, service by service: the clipboard through
// data control, windows through the foreign-toplevel list, keystrokes through a virtual
// keyboard. What the compositor lacks is reported honestly (clipboard read only with focus,
// no automatic paste, no global shortcut) and logged once, saying why.

#include "platform/Desktop.h"

#include <memory>

class WaylandDesktop : public Desktop
{
public:
    WaylandDesktop();
    ~WaylandDesktop() override;

    Clipboard &clipboard() override;
    FrontmostApp &frontmostApp() override;
    WindowFocus &windowFocus() override;
    KeyboardLayout &keyboardLayout() override;
    KeyInjector &keyInjector() override;
    HotKeyGrabber &hotKeyGrabber() override;
    Workspace &workspace() override;
    SoundPlayer &sounds() override;
    InstalledApps &installedApps() override;

    // Wayland composites every window.
    bool compositorRunning() override { return true; }
    std::optional<QIcon> appIcon(const QString &appID) override;
    bool clipboardMayNeedFocus() override;
    // The compositor places windows; the strip's app_id lets the user's rules dock it.
    void prepareStripWindow(QWindow &window) override;

private:
    struct Services;
    std::unique_ptr<Services> m_services;
};
