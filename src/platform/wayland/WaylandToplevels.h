#pragma once
// The compositor's list of application windows (wlr foreign-toplevel), kept on the protocol
// thread and published, as each window's state is complete, to a table the main thread reads:
// which window is active and what application it belongs to. Also asks for a window's
// activation and waits, bounded, until the compositor reports it.

#include "platform/WindowFocus.h"

#include <QHash>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QWaitCondition>

#include <chrono>
#include <optional>

class WaylandConnection;
struct zwlr_foreign_toplevel_handle_v1;

class WaylandToplevels : public QObject
{
public:
    struct Window
    {
        QString appId;
        QString title;
        bool activated = false;
    };

    explicit WaylandToplevels(WaylandConnection &connection);
    ~WaylandToplevels() override;

    // Main thread: the published table.
    std::optional<WindowId> active() const;
    std::optional<Window> window(WindowId id) const;
    // Asks the compositor to activate the window and waits until it reports it active.
    bool activate(WindowId id, std::chrono::milliseconds timeout);

    // Protocol thread.
    void start();
    void appeared(zwlr_foreign_toplevel_handle_v1 *handle);
    void titled(zwlr_foreign_toplevel_handle_v1 *handle, const char *title);
    void named(zwlr_foreign_toplevel_handle_v1 *handle, const char *appId);
    void stated(zwlr_foreign_toplevel_handle_v1 *handle, bool activated);
    void done(zwlr_foreign_toplevel_handle_v1 *handle);
    void closed(zwlr_foreign_toplevel_handle_v1 *handle);

private:
    struct Pending
    {
        WindowId id = 0;
        Window window;
    };

    WaylandConnection &m_connection;
    // Protocol thread only.
    QHash<zwlr_foreign_toplevel_handle_v1 *, Pending> m_pending;
    WindowId m_nextId = 1;
    // Shared.
    mutable QMutex m_mutex;
    QWaitCondition m_changed;
    QHash<WindowId, Window> m_windows;
    QHash<WindowId, zwlr_foreign_toplevel_handle_v1 *> m_handles;
};
