#include "WaylandDesktop.h"

#include "WaylandClipboard.h"
#include "WaylandConnection.h"
#include "WaylandHotKeyGrabber.h"
#include "WaylandKeyInjector.h"
#include "WaylandToplevels.h"
#include "WaylandWindows.h"
#include "XkbLayout.h"

#include "platform/Log.h"
#include "platform/freedesktop/DesktopEntryIcon.h"
#include "platform/freedesktop/DesktopWorkspace.h"
#include "platform/freedesktop/GioInstalledApps.h"
#include "platform/freedesktop/QtSoundPlayer.h"
#include "platform/x11/X11Clipboard.h"

#include <QGuiApplication>
#include <QWindow>

namespace {

constexpr int kUnbounded = (1 << 24) - 1; // Qt's "no maximum" for windows

// Where the compositor offers no data control, Qt's own clipboard is all there is: it sees
// copies only while one of our windows has the focus, so capture counts as blocked.
class FocusOnlyClipboard : public X11Clipboard
{
public:
    using X11Clipboard::X11Clipboard;
    AccessBehavior accessBehavior() override { return AccessBehavior::AlwaysDeny; }
};

std::unique_ptr<Clipboard> makeClipboard(WaylandConnection *connection)
{
    if (connection && connection->globals().dataControl && connection->globals().seat)
        return std::make_unique<WaylandClipboard>(connection);
    qCWarning(lcVaru, "O compositor não oferece acesso ao clipboard (wlr-data-control): o Varu "
                      "só vê cópias feitas enquanto uma janela dele tem o foco");
    return std::make_unique<FocusOnlyClipboard>(QGuiApplication::clipboard());
}

WaylandToplevels *makeToplevels(WaylandConnection *connection)
{
    if (connection && connection->globals().toplevels)
        return connection->adopt(new WaylandToplevels(*connection));
    qCInfo(lcVaru, "O compositor não lista as janelas (wlr-foreign-toplevel): sem app de origem "
                   "nem volta do foco antes de colar");
    return nullptr;
}

} // namespace

struct WaylandDesktop::Services
{
    std::unique_ptr<WaylandConnection> connection = WaylandConnection::open();
    std::unique_ptr<Clipboard> clipboard = makeClipboard(connection.get());
    WaylandToplevels *toplevels = makeToplevels(connection.get());
    WaylandFrontmostApp apps{toplevels};
    WaylandWindowFocus focus{toplevels};
    XkbLayout layout;
    std::unique_ptr<KeyInjector> keys = makeKeys();
    WaylandHotKeyGrabber grabber;
    DesktopWorkspace workspace;
    QtSoundPlayer sounds;
    GioInstalledApps installed;

    std::unique_ptr<KeyInjector> makeKeys()
    {
        if (connection && connection->globals().virtualKeyboard)
            return std::make_unique<WaylandKeyInjector>(*connection, layout);
        qCInfo(lcVaru, "O compositor não aceita teclados virtuais: os cards vão para o clipboard "
                       "e a colagem fica por conta do usuário");
        return std::make_unique<UntrustedKeys>();
    }

    struct UntrustedKeys : KeyInjector
    {
        bool trusted() override { return false; }
        void sendControlKey(quint16) override {}
        void sendShiftInsert() override {}
    };
};

WaylandDesktop::WaylandDesktop()
    : m_services(std::make_unique<Services>())
{}

WaylandDesktop::~WaylandDesktop()
{
    // The protocol thread stops first: nothing it does may reach a service being destroyed.
    if (m_services->connection)
        m_services->connection->shutdown();
}

Clipboard &WaylandDesktop::clipboard()
{
    return *m_services->clipboard;
}

FrontmostApp &WaylandDesktop::frontmostApp()
{
    return m_services->apps;
}

WindowFocus &WaylandDesktop::windowFocus()
{
    return m_services->focus;
}

KeyboardLayout &WaylandDesktop::keyboardLayout()
{
    return m_services->layout;
}

KeyInjector &WaylandDesktop::keyInjector()
{
    return *m_services->keys;
}

HotKeyGrabber &WaylandDesktop::hotKeyGrabber()
{
    return m_services->grabber;
}

Workspace &WaylandDesktop::workspace()
{
    return m_services->workspace;
}

SoundPlayer &WaylandDesktop::sounds()
{
    return m_services->sounds;
}

InstalledApps &WaylandDesktop::installedApps()
{
    return m_services->installed;
}

std::optional<QIcon> WaylandDesktop::appIcon(const QString &appID)
{
    return DesktopEntryIcon::find(appID);
}

bool WaylandDesktop::clipboardMayNeedFocus()
{
    return m_services->clipboard->accessBehavior() != Clipboard::AccessBehavior::AlwaysAllow;
}

void WaylandDesktop::prepareStripWindow(QWindow &window)
{
    // A window whose minimum and maximum sizes agree floats on tiling compositors instead of
    // taking half the screen; where it goes is the compositor's (or the user's rule's) call.
    // Pinned as it appears (before its first frame), and freed while hidden, so that the next
    // showing may choose another size.
    QObject::connect(&window, &QWindow::visibleChanged, &window, [&window](bool visible) {
        window.setMinimumSize(visible ? window.size() : QSize());
        window.setMaximumSize(visible ? window.size() : QSize(kUnbounded, kUnbounded));
    });
}
