#include "WaylandToplevels.h"

#include "WaylandConnection.h"

#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

#include <QDeadlineTimer>

#include <wayland-client.h>

namespace {

WaylandToplevels *self(void *data)
{
    return static_cast<WaylandToplevels *>(data);
}

using Handle = zwlr_foreign_toplevel_handle_v1;

const zwlr_foreign_toplevel_handle_v1_listener kHandleListener{
    [](void *data, Handle *h, const char *title) { self(data)->titled(h, title); },
    [](void *data, Handle *h, const char *appId) { self(data)->named(h, appId); },
    [](void *, Handle *, wl_output *) {}, // output_enter
    [](void *, Handle *, wl_output *) {}, // output_leave
    [](void *data, Handle *h, wl_array *states) {
        bool activated = false;
        const auto *state = static_cast<const uint32_t *>(states->data);
        for (size_t i = 0; i < states->size / sizeof(uint32_t); ++i)
            activated |= state[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED;
        self(data)->stated(h, activated);
    },
    [](void *data, Handle *h) { self(data)->done(h); },
    [](void *data, Handle *h) { self(data)->closed(h); },
    [](void *, Handle *, Handle *) {}, // parent
};

const zwlr_foreign_toplevel_manager_v1_listener kManagerListener{
    [](void *data, zwlr_foreign_toplevel_manager_v1 *, Handle *h) { self(data)->appeared(h); },
    [](void *, zwlr_foreign_toplevel_manager_v1 *) {}, // finished
};

} // namespace

WaylandToplevels::WaylandToplevels(WaylandConnection &connection)
    : m_connection(connection)
{}

WaylandToplevels::~WaylandToplevels()
{
    for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it)
        zwlr_foreign_toplevel_handle_v1_destroy(it.key());
}

void WaylandToplevels::start()
{
    if (zwlr_foreign_toplevel_manager_v1 *manager = m_connection.globals().toplevels)
        zwlr_foreign_toplevel_manager_v1_add_listener(manager, &kManagerListener, this);
}

void WaylandToplevels::appeared(Handle *handle)
{
    m_pending.insert(handle, Pending{m_nextId++, {}});
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &kHandleListener, this);
}

void WaylandToplevels::titled(Handle *handle, const char *title)
{
    m_pending[handle].window.title = QString::fromUtf8(title);
}

void WaylandToplevels::named(Handle *handle, const char *appId)
{
    m_pending[handle].window.appId = QString::fromUtf8(appId);
}

void WaylandToplevels::stated(Handle *handle, bool activated)
{
    m_pending[handle].window.activated = activated;
}

void WaylandToplevels::done(Handle *handle)
{
    const Pending pending = m_pending.value(handle);
    QMutexLocker lock(&m_mutex);
    m_windows.insert(pending.id, pending.window);
    m_handles.insert(pending.id, handle);
    m_changed.wakeAll();
}

void WaylandToplevels::closed(Handle *handle)
{
    const WindowId id = m_pending.take(handle).id;
    zwlr_foreign_toplevel_handle_v1_destroy(handle);
    QMutexLocker lock(&m_mutex);
    m_windows.remove(id);
    m_handles.remove(id);
    m_changed.wakeAll();
}

std::optional<WindowId> WaylandToplevels::active() const
{
    QMutexLocker lock(&m_mutex);
    for (auto it = m_windows.cbegin(); it != m_windows.cend(); ++it) {
        if (it->activated)
            return it.key();
    }
    return std::nullopt;
}

std::optional<WaylandToplevels::Window> WaylandToplevels::window(WindowId id) const
{
    QMutexLocker lock(&m_mutex);
    auto it = m_windows.constFind(id);
    if (it == m_windows.cend())
        return std::nullopt;
    return *it;
}

bool WaylandToplevels::activate(WindowId id, std::chrono::milliseconds timeout)
{
    wl_seat *seat = m_connection.globals().seat;
    {
        QMutexLocker lock(&m_mutex);
        if (!m_windows.contains(id) || !seat)
            return false;
    }
    WaylandConnection::post(this, [this, id, seat] {
        // Looked up again here: the window may have closed meanwhile.
        Handle *handle = nullptr;
        {
            QMutexLocker lock(&m_mutex);
            handle = m_handles.value(id);
        }
        if (handle)
            zwlr_foreign_toplevel_handle_v1_activate(handle, seat);
    });
    const QDeadlineTimer deadline(timeout);
    QMutexLocker lock(&m_mutex);
    for (;;) {
        auto it = m_windows.constFind(id);
        if (it == m_windows.cend())
            return false;
        if (it->activated)
            return true;
        if (!m_changed.wait(&m_mutex, deadline))
            return false;
    }
}
