#pragma once
// The shell: the one long-lived object of the process. It loads the configuration, opens the
// store at launch (or fails with an alert), and owns every service for the life of the process.

#include "capture/PasteboardMonitor.h"
#include "settings/VaruConfig.h"
#include "store/Store.h"

#include <QObject>
#include <QStringList>

#include <memory>

class CaptureRecorder;
class GlobalShortcut;
class PasteTarget;
class Paster;
class QTimer;
class StoreFunnel;
class X11FrontmostApp;
class X11HotKeyGrabber;
class X11KeyInjector;
class X11KeyboardLayout;
class X11Pasteboard;
class X11WindowFocus;

class AppDelegate : public QObject
{
    Q_OBJECT

public:
    // `supportDir` is the data folder; the configuration is loaded from it here.
    explicit AppDelegate(const QString &supportDir, QObject *parent = nullptr);
    ~AppDelegate() override;

    // Runs once, from the event loop: opens the store and wires everything else.
    void applicationDidFinishLaunching();

    const VaruConfig &config() const { return m_config; }
    Store *store() const { return m_store.get(); }
    // All database work goes through it; null until the store is open.
    StoreFunnel *funnel() const { return m_funnel; }
    QString databasePath() const;
    // The clipboard and its monitor; null until the store is open.
    Pasteboard *pasteboard() const;
    PasteboardMonitor *monitor() const { return m_monitor.get(); }
    // Paste-back: writing cards and the paste keystroke, and the window to paste into (the
    // strip remembers it when it shows and gives it the keyboard back when it hides); null
    // until the store is open.
    Paster *paster() const { return m_paster.get(); }
    PasteTarget *pasteTarget() const { return m_pasteTarget.get(); }
    // Whether the paste keystroke can be posted at all (X11: the XTest extension is there).
    bool canPostKeystrokes() const;

    // A second launch, or `varu` without arguments while running.
    void reopen();
    // Files handed over by the command line or the file manager.
    void openFiles(const QStringList &paths);

    // Replaces the configuration in memory and keeps the store in step: the reload limit at
    // once, and a prune and expiry when the history limits changed.
    void setConfig(const VaruConfig &config);

    // The configured shortcut as shown to the user ("⇧⌘V").
    QString hotKeyLabel() const;
    // Releases the shortcut and registers the configured one; a failure is only logged.
    void registerHotKey();
    // Releases the shortcut without a replacement (while a new one is being recorded).
    void releaseHotKey();
    // The configured shortcut changed from `previous` (the new value is current and saved):
    // registers it, or, when the desktop refuses it, restores, saves and registers `previous`
    // and reports the refusal.
    void hotKeyChanged(const HotKeyConfig &previous);

Q_SIGNALS:
    // Emitted when the launch ended in failure, after the alert was dismissed.
    void launchFailed();
    // The global shortcut was pressed: the strip toggles.
    void hotKeyPressed();
    // A new shortcut was refused and the previous one kept: the message for the settings
    // window at once, then, from the event loop, the shortcut that is configured again.
    void hotKeyRejected(const QString &message);
    void hotKeyReverted(const HotKeyConfig &kept);
    // Whether the desktop lets Varu read the clipboard changed (the tray icon shows it).
    void pasteboardAccessChanged(PasteboardMonitor::Access access);

private:
    void fail(const QString &message);
    // The first expiry, which also delivers the first snapshot, and the hourly one.
    void startRetention();
    // The clipboard monitor with rules from the configuration, recording every capture.
    void startCapture();

    QString m_supportDir;
    VaruConfig m_config;
    std::unique_ptr<Store> m_store;
    StoreFunnel *m_funnel = nullptr;
    QTimer *m_retentionTimer = nullptr;
    bool m_askedForAccessibility = false;
    QStringList m_pendingOpenURLs;
    std::unique_ptr<X11KeyboardLayout> m_keyboardLayout;
    std::unique_ptr<X11HotKeyGrabber> m_hotKeyGrabber;
    std::unique_ptr<GlobalShortcut> m_shortcut;
    std::unique_ptr<X11Pasteboard> m_pasteboard;
    std::unique_ptr<X11FrontmostApp> m_frontmostApp;
    std::unique_ptr<PasteboardMonitor> m_monitor;
    std::unique_ptr<CaptureRecorder> m_recorder;
    std::unique_ptr<X11KeyInjector> m_keyInjector;
    std::unique_ptr<X11WindowFocus> m_windowFocus;
    std::unique_ptr<Paster> m_paster;
    std::unique_ptr<PasteTarget> m_pasteTarget;
};
