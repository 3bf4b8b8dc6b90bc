#pragma once
// What the settings window shows and changes: a copy of the configuration (every change is
// handed to the shell at once, an equal value is not), launch at login, the shortcut recorder
// and the choices of its pickers.

#include "SettingsActions.h"
#include "SettingsPane.h"
#include "VaruConfig.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <optional>

// Main thread only. Holds the shell weakly: with it gone, commands do nothing.
class SettingsModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(SettingsPanes::SettingsPane pane READ pane WRITE setPane NOTIFY paneChanged)

    Q_PROPERTY(bool playSounds READ playSounds WRITE setPlaySounds NOTIFY configChanged)
    Q_PROPERTY(bool skipSecrets READ skipSecrets WRITE setSkipSecrets NOTIFY configChanged)
    Q_PROPERTY(QStringList ignoredApps READ ignoredApps NOTIFY configChanged)
    Q_PROPERTY(QString hotKeyLabel READ hotKeyLabel NOTIFY configChanged)
    // Picker selections: -1 when the configured value is none of the choices.
    Q_PROPERTY(int soundIndex READ soundIndex NOTIFY configChanged)
    Q_PROPERTY(int retentionIndex READ retentionIndex NOTIFY configChanged)
    Q_PROPERTY(int limitIndex READ limitIndex NOTIFY configChanged)
    Q_PROPERTY(QStringList soundNames READ soundNames CONSTANT)
    Q_PROPERTY(QStringList retentionNames READ retentionNames CONSTANT)
    Q_PROPERTY(QStringList limitNames READ limitNames CONSTANT)

    Q_PROPERTY(bool loginOn READ loginOn NOTIFY loginOnChanged)

    Q_PROPERTY(bool recording READ recording NOTIFY recordingChanged)
    Q_PROPERTY(QString hotKeyError READ hotKeyError NOTIFY hotKeyErrorChanged)
    Q_PROPERTY(bool hotKeysAvailable READ hotKeysAvailable NOTIFY actionsChanged)

    // The single-tab export: the tab names ("Nenhuma tab" alone without tabs) and the chosen.
    Q_PROPERTY(QStringList exportTabNames READ exportTabNames NOTIFY tabsChanged)
    Q_PROPERTY(int exportTabIndex READ exportTabIndex NOTIFY tabsChanged)
    Q_PROPERTY(bool canExportTab READ canExportTab NOTIFY tabsChanged)

    Q_PROPERTY(QString version READ version CONSTANT)
    Q_PROPERTY(QString dataFolder READ dataFolder CONSTANT)

public:
    struct Choice
    {
        qint64 value;
        QString name;
    };
    // "24 horas" (1) … "Eterno" (0); 200 … 10000 items.
    static const QList<Choice> &retentionChoices();
    static const QList<Choice> &limitChoices();

    SettingsModel(const VaruConfig &config, const QString &version, const QString &dataFolder,
                  QObject *parent = nullptr);

    void setActions(SettingsActions *actions);

    SettingsPane pane() const { return m_pane; }
    void setPane(SettingsPane pane);
    // A pane by its identifier; false (nothing changes) for an unknown one.
    bool selectPane(const QString &id);

    const VaruConfig &config() const { return m_config; }
    // The change rule: a value different from the current one is handed to the shell.
    void setConfig(const VaruConfig &config);

    bool playSounds() const { return m_config.playSounds; }
    void setPlaySounds(bool on);
    bool skipSecrets() const { return m_config.skipSecrets; }
    void setSkipSecrets(bool on);
    QStringList ignoredApps() const { return m_config.ignoredApps; }
    QString hotKeyLabel() const;
    int soundIndex() const;
    int retentionIndex() const;
    int limitIndex() const;
    QStringList soundNames() const;
    QStringList retentionNames() const;
    QStringList limitNames() const;

    Q_INVOKABLE void chooseSound(int index);
    Q_INVOKABLE void previewSound();
    Q_INVOKABLE void chooseRetention(int index);
    Q_INVOKABLE void chooseLimit(int index);

    // Appends the ids not yet ignored, one applied change each; removing drops every
    // occurrence in one change.
    Q_INVOKABLE void addIgnoredApps(const QStringList &ids);
    Q_INVOKABLE void removeIgnoredApp(const QString &id);

    bool loginOn() const { return m_loginOn; }
    // Reads the real state of launch at login.
    void refreshLogin();
    Q_INVOKABLE void setLogin(bool on);

    bool recording() const { return m_recording; }
    QString hotKeyError() const { return m_hotKeyError; }
    void setHotKeyError(const QString &message);
    bool hotKeysAvailable() const;
    Q_INVOKABLE void startRecording();
    Q_INVOKABLE void stopRecording();
    Q_INVOKABLE void toggleRecording();
    // A key pressed in the window while recording. `characters` is what the key types without
    // modifiers (none for keys that type nothing). Returns false when not recording (the key
    // is not the recorder's).
    bool recordKey(int qtKey, Qt::KeyboardModifiers modifiers,
                   const std::optional<QString> &characters);

    QStringList exportTabNames() const;
    int exportTabIndex() const;
    bool canExportTab() const { return !m_tabs.isEmpty(); }
    Q_INVOKABLE void chooseExportTab(int index);
    Q_INVOKABLE void exportTab();
    Q_INVOKABLE void exportEverything();
    Q_INVOKABLE void importFile();
    Q_INVOKABLE void clearHistory();

    QString version() const { return m_version; }
    QString dataFolder() const { return m_dataFolder; }

Q_SIGNALS:
    void paneChanged();
    void configChanged();
    void loginOnChanged();
    void recordingChanged();
    void hotKeyErrorChanged();
    void actionsChanged();
    void tabsChanged();

private:
    void refreshTabs();

    QPointer<SettingsActions> m_actions;
    SettingsPane m_pane = SettingsPane::General;
    VaruConfig m_config;
    bool m_loginOn = false;
    bool m_recording = false;
    QString m_hotKeyError;
    std::optional<QString> m_exportTabID;
    QList<SettingsActions::TabChoice> m_tabs;
    QString m_version;
    QString m_dataFolder;
};
