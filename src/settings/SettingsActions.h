#pragma once
// What the settings window asks of the shell: apply a changed configuration, the shortcut's
// registration, the history and backup commands, launch at login and the sound preview.

#include "VaruConfig.h"

#include <QList>
#include <QObject>
#include <QString>

class SettingsActions : public QObject
{
    Q_OBJECT

public:
    struct TabChoice
    {
        QString id;
        QString name;
        friend bool operator==(const TabChoice &, const TabChoice &) = default;
    };

    using QObject::QObject;

    // Saves and applies the whole configuration (the shell falls back on a refused shortcut).
    virtual void apply(const VaruConfig &config) = 0;
    // Registers the configured shortcut again, or lets it go while a new one is recorded.
    virtual void registerHotKey() = 0;
    virtual void releaseHotKey() = 0;
    // False where the desktop lets no application claim a shortcut.
    virtual bool hotKeysAvailable() = 0;

    // Each asks the user itself (confirmation, file dialogs) and reports its own outcome.
    virtual void clearHistory() = 0;
    virtual void exportEverything() = 0;
    virtual void exportTab(const QString &id) = 0;
    virtual void importFile() = 0;
    // The user's tabs, in tab order.
    virtual QList<TabChoice> tabs() = 0;

    virtual bool loginEnabled() = 0;
    // False with `error` set when the change could not be made.
    virtual bool setLoginEnabled(bool on, QString *error) = 0;

    // Plays a copy sound even while sounds are off.
    virtual void previewSound(const QString &style) = 0;
    // The desktop's short warning sound, for a key press the recorder cannot take.
    virtual void beep() = 0;

Q_SIGNALS:
    void tabsChanged();
};
