#pragma once
// Watches the clipboard: polls its change counter, waits for a burst of changes to settle,
// applies the capture rules and hands each accepted copy to the shell as a CapturedClip.

#include "CaptureRules.h"
#include "core/CapturedClip.h"

#include "platform/FrontmostApp.h"
#include "platform/Clipboard.h"

#include <QObject>
#include <QTimer>


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

    // How often the change counter is read, and how long a change must stay the last one.
    struct Timing
    {
        int pollMs = kPollIntervalMs;
        int quietMs = kQuietPeriodMs;
    };

    // Whatever is on the clipboard now is not captured.
    ClipboardMonitor(Clipboard &clipboard, FrontmostApp &apps, CaptureRules rules,
                      QObject *parent = nullptr);

    void setRules(CaptureRules rules) { m_rules = std::move(rules); }
    // Tests run the poll and the quiet period at zero, or drive the poll by hand.
    void setTiming(const Timing &timing);

    // While paused, copies are skipped for good: resuming does not capture them.
    bool isPaused() const { return m_paused; }
    void setPaused(bool paused);

    Access access() const { return m_access; }

    // Starts polling from the clipboard's current state.
    void start();
    // One capture attempt now. User-initiated attempts ignore the pause and read even when
    // the desktop would ask for permission.
    void capture(bool userInitiated);
    // Call right before writing the clipboard: a copy still in its quiet period is captured
    // now rather than hidden by the write.
    void flushPending();
    // Call right after writing the clipboard, so the write is not captured as a copy.
    void markOwnWrite();
    // Recomputes the access state and reports a change.
    Access refreshAccess();
    // One tick of the poll (public for tests).
    void poll();

Q_SIGNALS:
    void pausedChanged(bool paused);
    void accessChanged(Access access);
    // An accepted copy, on the main thread.
    void captured(const CapturedClip &clip);

private:
    // Every representation of every item, in order, within the size budget.
    QList<Representation> readRepresentations(int itemCount, qint64 &total);

    Clipboard &m_clipboard;
    FrontmostApp &m_apps;
    CaptureRules m_rules;
    bool m_paused = false;
    qint64 m_lastChangeCount = 0;
    QTimer m_pollTimer;
    QTimer m_debounceTimer;
    Access m_access = Access::Allowed;
};
