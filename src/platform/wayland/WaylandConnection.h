#pragma once
// Varu's own connection to the Wayland compositor, apart from Qt's: the globals the desktop
// services need, and one thread that dispatches its events and runs all protocol requests,
// so that no read or write of a client ever waits on (or blocks) the GUI thread.

#include <QObject>
#include <QThread>

#include <functional>
#include <memory>

struct wl_display;
struct wl_registry;
struct wl_seat;
struct zwlr_data_control_manager_v1;
struct zwlr_foreign_toplevel_manager_v1;
struct zwp_virtual_keyboard_manager_v1;

class WaylandConnection : public QObject
{
    Q_OBJECT

public:
    // What the compositor offers, as far as Varu cares.
    struct Globals
    {
        wl_seat *seat = nullptr;
        zwlr_data_control_manager_v1 *dataControl = nullptr;
        quint32 dataControlVersion = 0; // 2 and up carry the primary selection
        zwlr_foreign_toplevel_manager_v1 *toplevels = nullptr;
        zwp_virtual_keyboard_manager_v1 *virtualKeyboard = nullptr;
    };

    // Which of those globals a compositor offers, by a short connection of its own; all false
    // when there is no compositor to connect to. Safe before any QCoreApplication exists.
    struct Offers
    {
        bool connected = false, dataControl = false, toplevels = false, virtualKeyboard = false;
    };
    static Offers probe();

    // Connects and binds the globals; none when no compositor answers. The thread starts
    // at once.
    static std::unique_ptr<WaylandConnection> open();
    ~WaylandConnection() override;

    const Globals &globals() const { return m_globals; }
    wl_display *display() const { return m_display; }

    // Moves `helper` (just made, no parent) to the protocol thread, which owns it from then
    // on and runs `start` there first. The helper is destroyed on that thread at shutdown.
    template<typename T>
    T *adopt(T *helper)
    {
        adoptObject(helper, [helper] { helper->start(); });
        return helper;
    }
    // Runs `work` on the protocol thread, in `helper`'s context (queued; requests are flushed
    // before the thread sleeps).
    static void post(QObject *helper, std::function<void()> work);
    // Sends buffered requests now (protocol thread only).
    void flush();
    // Stops the thread and destroys its helpers; nothing is posted to the main thread after.
    void shutdown();

private:
    explicit WaylandConnection(wl_display *display);
    bool bindGlobals();
    void startThread();
    void dispatch();
    void adoptObject(QObject *helper, std::function<void()> start);

    wl_display *m_display;
    wl_registry *m_registry = nullptr;
    Globals m_globals;
    QThread m_thread;
    QObject *m_context = nullptr;
    bool m_broken = false;
};
