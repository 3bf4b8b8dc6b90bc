#pragma once
// The shell's side of the settings window: configuration changes go through the shell's apply
// path, the shortcut through its global shortcut, history and backups through their flows,
// launch at login through the autostart entry.

#include "settings/SettingsActions.h"

#include <functional>

class BackupFlows;
class GlobalShortcut;
class HotKeyGrabber;
class StripModel;
class VaruSound;

class ShellSettings : public SettingsActions
{
    Q_OBJECT

public:
    struct Services
    {
        std::function<void(const VaruConfig &)> apply;
        std::function<void()> registerHotKey;
        GlobalShortcut &shortcut;
        HotKeyGrabber &grabber;
        BackupFlows &backups;
        StripModel &strip;
        VaruSound &sound;
        // $XDG_CONFIG_HOME and the program the autostart entry starts.
        QString configHome;
        QString executable;
    };

    explicit ShellSettings(Services services, QObject *parent = nullptr);

    void apply(const VaruConfig &config) override;
    void registerHotKey() override;
    void releaseHotKey() override;
    bool hotKeysAvailable() override;
    void clearHistory() override;
    void exportEverything() override;
    void exportTab(const QString &id) override;
    void importFile() override;
    QList<TabChoice> tabs() override;
    bool loginEnabled() override;
    bool setLoginEnabled(bool on, QString *error) override;
    void previewSound(const QString &style) override;
    void beep() override;

private:
    Services m_s;
};
