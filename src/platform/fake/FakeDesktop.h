#pragma once
// A whole desktop of fakes for unit tests: each service is a public member the test drives
// and inspects; the compositor, application icons and window preparation are settable too.

#include "FakeClipboard.h"
#include "FakeFrontmostApp.h"
#include "FakeHotKeyGrabber.h"
#include "FakeInstalledApps.h"
#include "FakeKeyInjector.h"
#include "FakeKeyboardLayout.h"
#include "FakeSoundPlayer.h"
#include "FakeWindowFocus.h"
#include "FakeWorkspace.h"

#include "platform/Desktop.h"

#include <QHash>
#include <QList>
#include <QWindow>

class FakeDesktop : public Desktop
{
public:
    FakeClipboard pasteboard;
    FakeFrontmostApp apps;
    FakeWindowFocus focus;
    FakeKeyboardLayout layout;
    FakeKeyInjector keys;
    FakeHotKeyGrabber grabber;
    FakeWorkspace files;
    FakeSoundPlayer player;
    FakeInstalledApps installed;

    bool compositor = false;
    bool clipboardFocusOnly = false;
    QHash<QString, QIcon> icons;
    // Windows prepared for the strip, and whether any already had its platform window then
    // (too late for flags the window manager reads once).
    QList<QWindow *> preparedWindows;
    bool preparedTooLate = false;

    Clipboard &clipboard() override { return pasteboard; }
    FrontmostApp &frontmostApp() override { return apps; }
    WindowFocus &windowFocus() override { return focus; }
    KeyboardLayout &keyboardLayout() override { return layout; }
    KeyInjector &keyInjector() override { return keys; }
    HotKeyGrabber &hotKeyGrabber() override { return grabber; }
    Workspace &workspace() override { return files; }
    SoundPlayer &sounds() override { return player; }
    InstalledApps &installedApps() override { return installed; }

    bool compositorRunning() override { return compositor; }
    bool clipboardMayNeedFocus() override { return clipboardFocusOnly; }
    std::optional<QIcon> appIcon(const QString &appID) override
    {
        const auto it = icons.constFind(appID);
        return it == icons.cend() ? std::nullopt : std::optional<QIcon>(*it);
    }
    void prepareStripWindow(QWindow &window) override
    {
        preparedWindows << &window;
        preparedTooLate = preparedTooLate || window.handle();
    }
};
