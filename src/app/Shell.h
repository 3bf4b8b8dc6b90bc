#pragma once
// The shell: the one long-lived object of the process. It loads the configuration, opens the
// store at launch (or fails with an alert), and owns every service for the life of the process
// except the desktop's, which it is handed.

#include "TrayMenu.h"

#include "settings/VaruConfig.h"
#include "settings/VaruSound.h"
#include "strip/model/StripModel.h"

#include <QObject>
#include <QStringList>

#include <memory>

class BackupFlows;
class CaptureRecorder;
class Desktop;
class ConfigWatcher;
class GlobalShortcut;
class ImageCache;
class OnboardingController;
class OnboardingModel;
class PasteTarget;
class Paster;
class ClipboardMonitor;
class QTimer;
class ShellCommands;
class SettingsController;
class SettingsModel;
class ShellDialogs;
class ShellSettings;
class StatusTray;
class Store;
class StoreFunnel;
class StripWindow;
class UserDefaults;
struct CapturedClip;

class Shell : public QObject
{
    Q_OBJECT

public:
    // `supportDir` is the data folder; the configuration is loaded from it here. `desktop`
    // outlives the shell.
    Shell(Desktop &desktop, const QString &supportDir, QObject *parent = nullptr);
    ~Shell() override;

    // Runs once, from the event loop: opens the store and wires everything else.
    void launch();

    QString databasePath() const;

    // Requests from outside: a second launch, the command line, the file manager.
    void reopen();
    void openFiles(const QStringList &paths);
    void toggleStrip();
    void showStrip();
    void togglePreview();
    // The first-run window, from its first step.
    void openOnboarding();
    // The settings window, showing the applied configuration, on `pane` when it names one
    // ("general", "history", "privacy", "data", "about"), else on the pane shown last.
    void openSettings(const QString &pane = {});

    // A configuration from the settings window or config.json, applied at once: capture
    // rules, sounds, the shortcut (the previous one comes back, and is saved, when the new one
    // is refused) and the history limits. An open settings window shows the result.
    void apply(const VaruConfig &config);

    // The configured shortcut as shown to the user ("Super+Shift+V").
    QString hotKeyLabel() const;
    // Releases the shortcut and registers the configured one; a failure is only logged.
    void registerHotKey();

private:
    void fail(const QString &message);
    void createServices();
    void startCapture();
    void recordCapture(const CapturedClip &clip);
    void startRetention();
    void expireHistory();
    void applySound();
    void createTray();
    void updateStatusIcon();
    TrayMenu::State trayState();
    void runTrayCommand(TrayMenu::Command command);
    void explainKeystrokes();
    // Where the desktop keeps global shortcuts to itself: how to bind its own, told once.
    void explainDesktopShortcut();
    void toggleLogin();
    void hotKeyChanged(const HotKeyConfig &previous);
    void createOnboarding();
    void createSettings();

    Desktop &m_desktop;
    QString m_supportDir;
    VaruConfig m_config;
    StripModel m_model;
    VaruSound m_sound;
    std::unique_ptr<ShellDialogs> m_dialogs;
    QStringList m_pendingOpenURLs;
    std::optional<QString> m_notSaving; // why copies are not being saved, shown in the tray

    // From launch on. Declared in the order they depend on each other, so they go in reverse.
    std::unique_ptr<Store> m_store;
    StoreFunnel *m_funnel = nullptr;
    std::unique_ptr<Paster> m_paster;
    std::unique_ptr<PasteTarget> m_pasteTarget;
    std::unique_ptr<ImageCache> m_images;
    std::unique_ptr<ClipboardMonitor> m_monitor;
    std::unique_ptr<CaptureRecorder> m_recorder;
    std::unique_ptr<ShellCommands> m_commands;
    std::unique_ptr<BackupFlows> m_backups;
    std::unique_ptr<StripWindow> m_strip;
    std::unique_ptr<GlobalShortcut> m_shortcut;
    std::unique_ptr<StatusTray> m_tray;
    std::unique_ptr<ConfigWatcher> m_watcher;
    std::unique_ptr<UserDefaults> m_defaults;
    std::unique_ptr<OnboardingModel> m_onboardingModel;
    std::unique_ptr<OnboardingController> m_onboarding;
    std::unique_ptr<SettingsModel> m_settings;
    std::unique_ptr<ShellSettings> m_settingsActions;
    std::unique_ptr<SettingsController> m_settingsWindow;
};
