#include "WaylandConnection.h"

#include "platform/Log.h"

#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <QAbstractEventDispatcher>
#include <QMetaObject>
#include <QSocketNotifier>

#include <csignal>
#include <cstring>

namespace {

// The newest version of each global this code speaks.
constexpr quint32 kSeatVersion = 1;
constexpr quint32 kDataControlVersion = 2;
constexpr quint32 kToplevelVersion = 3;
constexpr quint32 kVirtualKeyboardVersion = 1;

void onGlobal(void *data, wl_registry *registry, uint32_t name, const char *interface,
              uint32_t version)
{
    auto *g = static_cast<WaylandConnection::Globals *>(data);
    auto bind = [&](const wl_interface *type, quint32 newest) {
        return wl_registry_bind(registry, name, type, std::min(version, newest));
    };
    if (!g->seat && std::strcmp(interface, wl_seat_interface.name) == 0) {
        g->seat = static_cast<wl_seat *>(bind(&wl_seat_interface, kSeatVersion));
    } else if (!g->dataControl &&
               std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0) {
        g->dataControlVersion = std::min(version, kDataControlVersion);
        g->dataControl = static_cast<zwlr_data_control_manager_v1 *>(
            bind(&zwlr_data_control_manager_v1_interface, kDataControlVersion));
    } else if (!g->toplevels &&
               std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) == 0) {
        g->toplevels = static_cast<zwlr_foreign_toplevel_manager_v1 *>(
            bind(&zwlr_foreign_toplevel_manager_v1_interface, kToplevelVersion));
    } else if (!g->virtualKeyboard &&
               std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
        g->virtualKeyboard = static_cast<zwp_virtual_keyboard_manager_v1 *>(
            bind(&zwp_virtual_keyboard_manager_v1_interface, kVirtualKeyboardVersion));
    }
}

void onGlobalRemove(void *, wl_registry *, uint32_t) {}

const wl_registry_listener kRegistryListener{onGlobal, onGlobalRemove};

void onProbeGlobal(void *data, wl_registry *, uint32_t, const char *interface, uint32_t)
{
    auto *o = static_cast<WaylandConnection::Offers *>(data);
    const QByteArray name(interface);
    o->dataControl |= name == zwlr_data_control_manager_v1_interface.name;
    o->toplevels |= name == zwlr_foreign_toplevel_manager_v1_interface.name;
    o->virtualKeyboard |= name == zwp_virtual_keyboard_manager_v1_interface.name;
}

const wl_registry_listener kProbeListener{onProbeGlobal, onGlobalRemove};

} // namespace

WaylandConnection::Offers WaylandConnection::probe()
{
    Offers offers;
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return offers;
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kProbeListener, &offers);
    offers.connected = wl_display_roundtrip(display) >= 0;
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return offers;
}

std::unique_ptr<WaylandConnection> WaylandConnection::open()
{
    // A client that closes its end of a transfer early must not kill us when we write to it.
    std::signal(SIGPIPE, SIG_IGN);
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return nullptr;
    std::unique_ptr<WaylandConnection> connection(new WaylandConnection(display));
    if (!connection->bindGlobals())
        return nullptr;
    connection->startThread();
    return connection;
}

WaylandConnection::WaylandConnection(wl_display *display)
    : m_display(display)
{}

bool WaylandConnection::bindGlobals()
{
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &kRegistryListener, &m_globals);
    return wl_display_roundtrip(m_display) >= 0;
}

void WaylandConnection::startThread()
{
    m_thread.setObjectName(QStringLiteral("wayland"));
    m_context = new QObject;
    m_context->moveToThread(&m_thread);
    m_thread.start();
    QMetaObject::invokeMethod(m_context, [this] {
        auto *notifier = new QSocketNotifier(wl_display_get_fd(m_display), QSocketNotifier::Read,
                                             m_context);
        connect(notifier, &QSocketNotifier::activated, m_context, [this, notifier] {
            dispatch();
            if (m_broken)
                notifier->setEnabled(false);
        });
        // Everything queued by the work just run goes out before the thread sleeps, and
        // events already read are handled.
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                m_context, [this] {
                    if (m_broken)
                        return;
                    wl_display_dispatch_pending(m_display);
                    wl_display_flush(m_display);
                });
    });
}

void WaylandConnection::dispatch()
{
    if (m_broken)
        return;
    // Only this thread reads the connection, and the socket has data: this does not block.
    if (wl_display_dispatch(m_display) < 0) {
        m_broken = true;
        qCWarning(lcVaru, "Conexão com o compositor Wayland perdida: %s",
                  std::strerror(wl_display_get_error(m_display)));
    }
}

void WaylandConnection::post(QObject *helper, std::function<void()> work)
{
    QMetaObject::invokeMethod(helper, std::move(work), Qt::QueuedConnection);
}

void WaylandConnection::adoptObject(QObject *helper, std::function<void()> start)
{
    helper->moveToThread(&m_thread);
    QObject *context = m_context;
    post(helper, [helper, context, start = std::move(start)] {
        helper->setParent(context);
        start();
    });
}

void WaylandConnection::shutdown()
{
    if (!m_context)
        return;
    // Deleted on their own thread as it finishes: the helpers destroy their protocol objects
    // as they go.
    QObject *context = m_context;
    post(context, [context] {
        context->deleteLater();
        QThread::currentThread()->quit();
    });
    m_thread.wait();
    m_context = nullptr;
}

void WaylandConnection::flush()
{
    if (!m_broken)
        wl_display_flush(m_display);
}

WaylandConnection::~WaylandConnection()
{
    shutdown();
    if (m_globals.virtualKeyboard)
        zwp_virtual_keyboard_manager_v1_destroy(m_globals.virtualKeyboard);
    if (m_globals.toplevels)
        zwlr_foreign_toplevel_manager_v1_destroy(m_globals.toplevels);
    if (m_globals.dataControl)
        zwlr_data_control_manager_v1_destroy(m_globals.dataControl);
    if (m_globals.seat)
        wl_seat_destroy(m_globals.seat);
    if (m_registry)
        wl_registry_destroy(m_registry);
    wl_display_disconnect(m_display);
}
