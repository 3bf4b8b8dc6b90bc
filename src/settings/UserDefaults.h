#pragma once
// Small flags the application keeps about the user rather than about capture ("the onboarding
// was closed once"): an INI file beside config.json's counterpart in $XDG_CONFIG_HOME/Varu.

#include <QString>

// Main thread only. Every call reads or writes the file, so two instances never disagree.
class UserDefaults
{
public:
    // `configHome` is $XDG_CONFIG_HOME.
    explicit UserDefaults(const QString &configHome);

    QString path() const { return m_path; }

    // False until the onboarding window has been closed once.
    bool onboardingDone() const;
    void setOnboardingDone(bool done);
    // Whether the user has been told once how to bind the desktop's own shortcut, where the
    // desktop keeps global shortcuts to itself.
    bool hotKeyExplained() const;
    void setHotKeyExplained();

private:
    QString m_path;
};
