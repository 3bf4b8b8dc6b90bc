#pragma once
// Launch at login through the freedesktop autostart folder: ~/.config/autostart/varu.desktop.
// Enabled means the entry is there and not hidden.

#include <QString>

class AutostartEntry
{
public:
    // `configHome` is $XDG_CONFIG_HOME; `executable` is what the entry starts.
    AutostartEntry(const QString &configHome, const QString &executable);

    QString path() const;
    bool isEnabled() const;
    // Writes or removes the entry. False with `error` set when the file system refuses.
    bool setEnabled(bool enabled, QString *error);

private:
    QString m_configHome;
    QString m_executable;
};
