#pragma once
// Watches the clipboard (told of changes where the platform notifies, by polling elsewhere),
// reads each copy as it appears, applies the capture rules and hands every copy that stood
// long enough to the shell as a CapturedClip, in order.

#include "CaptureRules.h"
#include "core/CapturedClip.h"

#include "platform/FrontmostApp.h"
#include "platform/Clipboard.h"

#include <QObject>
#include <QTimer>

#include <functional>

class ClipboardMonitor : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool paused READ isPaused WRITE setPaused NOTIFY pausedChanged)
    Q_PROPERTY(Access access READ access NOTIFY accessChanged)

public:
    // Whether the desktop lets Varu read the clipboard without the user asking each time.
    enum class Access { Allowed, NeedsPermission, Denied };
    Q_ENUM(Access)

    static constexpr int kPollIntervalMs = 250;
    static constexpr int kQuietPeriodMs = 300;
    // Shorter than a key's auto-repeat (25 per second at most by default), so no one copies
    // twice within it by hand; longer than an owner takes to write its offer in steps, which
    // it does within one turn of its event loop.
    static constexpr int kMinStandMs = 30;

    // How often the change counter is read where nothing notifies; how long the last copy
    // waits for its owner to finish writing it; how long a replaced copy must have stood to
    // count as a copy of its own.
    struct Timing
    {
        int pollMs = kPollIntervalMs;
        int quietMs = kQuietPeriodMs;
        int minStandMs = kMinStandMs;
    };

    // Whatever is on the clipboard now is not captured.
    ClipboardMonitor(Clipboard &clipboard, FrontmostApp &apps, CaptureRules rules,
                      QObject *parent = nullptr);
    ~ClipboardMonitor() override;

    void setRules(CaptureRules rules) { m_rules = std::move(rules); }
    // Tests run the quiet period at zero, or drive the poll by hand.
    void setTiming(const Timing &timing);
    // Milliseconds on a monotonic clock; tests step their own.
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

    // While paused, copies are skipped for good: resuming does not capture them.
    bool isPaused() const { return m_paused; }
    void setPaused(bool paused);

    Access access() const { return m_access; }

    // Starts watching from the clipboard's current state.
    void start();
    // One capture of what is on the clipboard now. User-initiated attempts ignore the pause
    // and read even when the desktop would ask for permission.
    void capture(bool userInitiated);
    // Call right before writing the clipboard: a copy still in its quiet period is captured
    // now rather than hidden by the write.
    void flushPending();
    // Call right after writing the clipboard, so the write is not captured as a copy.
    void markOwnWrite();
    // Recomputes the access state and reports a change.
    Access refreshAccess();
    // Reads the change counter and takes in a new copy (the poll's tick; public for tests).
    void poll();

Q_SIGNALS:
    void pausedChanged(bool paused);
    void accessChanged(Access access);
    // An accepted copy, on the main thread.
    void captured(const CapturedClip &clip);

private:
    // A copy read at its change and waiting for its quiet period to end. `clip` is none when
    // the rules turned it down; `reps` is what was read, to tell a rewrite from a new copy.
    struct Pending
    {
        qint64 at = 0;
        std::optional<quint64> owner;
        QList<Representation> reps;
        std::optional<CapturedClip> clip;
    };

    void changed();
    // The copy on the clipboard now, through the rules; the reps read are left in `reps`.
    std::optional<CapturedClip> read(bool userInitiated, QList<Representation> &reps);
    // Every representation of every item, in order, within the size budget.
    QList<Representation> readRepresentations(int itemCount, qint64 &total);
    void settle();

    Clipboard &m_clipboard;
    FrontmostApp &m_apps;
    CaptureRules m_rules;
    Timing m_timing;
    std::function<qint64()> m_clock;
    bool m_paused = false;
    bool m_notified = false;
    qint64 m_lastChangeCount = 0;
    std::optional<Pending> m_pending;
    QTimer m_pollTimer;
    QTimer m_quietTimer;
    Access m_access = Access::Allowed;
};
