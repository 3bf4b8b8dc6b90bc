#include "X11Desktop.h"

#include "X11Clipboard.h"
#include "X11Compositor.h"
#include "X11FrontmostApp.h"
#include "X11HotKeyGrabber.h"
#include "X11KeyInjector.h"
#include "X11KeyboardLayout.h"
#include "X11WindowFocus.h"

#include "platform/freedesktop/DesktopEntryIcon.h"
#include "platform/freedesktop/DesktopWorkspace.h"
#include "platform/freedesktop/GioInstalledApps.h"
#include "platform/freedesktop/QtSoundPlayer.h"

#include <QGuiApplication>
#include <QWindow>

// In the order they depend on each other: the grabber and the injector use the layout.
struct X11Desktop::Services
{
    X11Clipboard clipboard{QGuiApplication::clipboard()};
    X11FrontmostApp apps;
    X11KeyboardLayout layout;
    X11HotKeyGrabber grabber{layout};
    X11KeyInjector keys{layout};
    X11WindowFocus focus;
    DesktopWorkspace workspace;
    QtSoundPlayer sounds;
    GioInstalledApps installed;
};

X11Desktop::X11Desktop()
    : m_services(std::make_unique<Services>())
{}

X11Desktop::~X11Desktop() = default;

Clipboard &X11Desktop::clipboard()
{
    return m_services->clipboard;
}

FrontmostApp &X11Desktop::frontmostApp()
{
    return m_services->apps;
}

WindowFocus &X11Desktop::windowFocus()
{
    return m_services->focus;
}

KeyboardLayout &X11Desktop::keyboardLayout()
{
    return m_services->layout;
}

KeyInjector &X11Desktop::keyInjector()
{
    return m_services->keys;
}

HotKeyGrabber &X11Desktop::hotKeyGrabber()
{
    return m_services->grabber;
}

Workspace &X11Desktop::workspace()
{
    return m_services->workspace;
}

SoundPlayer &X11Desktop::sounds()
{
    return m_services->sounds;
}

InstalledApps &X11Desktop::installedApps()
{
    return m_services->installed;
}

bool X11Desktop::compositorRunning()
{
    return X11Compositor::isRunning();
}

std::optional<QIcon> X11Desktop::appIcon(const QString &appID)
{
    return DesktopEntryIcon::find(appID);
}

void X11Desktop::prepareStripWindow(QWindow &window)
{
    window.setFlags(window.flags() | Qt::X11BypassWindowManagerHint);
}
