#pragma once
// Reads every offer made on the CLIPBOARD selection on a thread of its own, with its own X
// connection: told of new owners by XFixes, it converts each content target with a bounded
// wait and hands the whole offer to a callback. Another client never holds up the caller.

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include <xcb/xcb.h>

// One owner's offer as read: its content targets in the owner's order and what each gave.
struct X11Offer
{
    xcb_window_t owner = XCB_NONE; // none: the owner went away and took its offer along
    QStringList targets;
    QHash<QString, std::optional<QByteArray>> data; // missing or none: not supplied
    bool concealed = false; // carries a type that is never read ahead, so nothing was read
    bool initial = false;   // what was on the clipboard when reading started
};

class X11SelectionReader
{
public:
    struct Limits
    {
        // How long one target may go without any answer or progress: owners answer within
        // milliseconds, a large picture streams in chunks that each count as progress.
        int targetWaitMs = 2000;
        // The whole offer: past it, what was read so far is handed on.
        int offerWaitMs = 10000;
        // The capture limit, for the whole offer: a target past what is left is not kept.
        qint64 maxBytes = 250LL * 1024 * 1024;
    };

    // `deliver` runs on the reader's thread; it must hand the offer on by a queued call.
    X11SelectionReader(const QByteArray &display, Limits limits,
                       std::function<void(X11Offer)> deliver);
    ~X11SelectionReader();

    X11SelectionReader(const X11SelectionReader &) = delete;
    X11SelectionReader &operator=(const X11SelectionReader &) = delete;

    // False when the X server or its XFixes extension cannot be reached.
    bool isRunning() const { return m_running; }

    // Offers carrying any of these targets (or their stored names) are not read.
    void setUnheldTypes(const QStringList &types);
    // Offers from this window are this process's own and are not read.
    void setOwnWindow(xcb_window_t window) { m_ownWindow = window; }

private:
    struct Wire;
    enum class Wait { Ready, TimedOut, Superseded, Stopped };

    void run();
    bool connect(const QByteArray &display);
    void readOffer(xcb_window_t owner, xcb_timestamp_t time, bool initial);
    std::optional<QByteArray> convert(const QString &target, xcb_timestamp_t time, Wait &wait,
                                      qint64 offerDeadline);
    std::optional<QByteArray> readIncremental(xcb_atom_t property, Wait &wait,
                                              qint64 offerDeadline, qint64 budget,
                                              bool mayBeLatin1);
    xcb_generic_event_t *nextEvent(qint64 deadline, Wait &wait);
    bool isNewOwner(const xcb_generic_event_t *event);
    xcb_atom_t atom(const QString &name);
    QString atomName(xcb_atom_t atom);

    Limits m_limits;
    std::function<void(X11Offer)> m_deliver;
    std::unique_ptr<Wire> m_wire;
    bool m_running = false;
    qint64 m_budget = 0; // what is left of maxBytes for the offer being read
    std::atomic<bool> m_stop{false};
    std::atomic<xcb_window_t> m_ownWindow{XCB_NONE};
    mutable QMutex m_unheldLock;
    QStringList m_unheld;
    std::thread m_thread;
};
