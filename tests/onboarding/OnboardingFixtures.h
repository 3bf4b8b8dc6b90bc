#pragma once
// A desktop for the onboarding model whose answers the test sets: each check reads a field.

#include "onboarding/OnboardingModel.h"

#include <QCoreApplication>
#include <QStringList>

struct FakeAbilities
{
    bool mayRefuseClipboard = false;
    bool clipboard = false;
    bool keystrokes = false;
    bool hotKey = true;
    bool tray = true;
    bool login = false;
    bool loginFails = false;
    int loginWrites = 0;

    OnboardingModel::Abilities desktop()
    {
        OnboardingModel::Abilities d;
        d.clipboardMayBeRefused = mayRefuseClipboard;
        d.clipboardReadable = [this] { return clipboard; };
        d.canPostKeystrokes = [this] { return keystrokes; };
        d.hotKeyRegistered = [this] { return hotKey; };
        d.trayAvailable = [this] { return tray; };
        d.loginEnabled = [this] { return login; };
        d.setLoginEnabled = [this](bool on, QString *error) {
            ++loginWrites;
            if (loginFails) {
                *error = QStringLiteral("somente leitura");
                return false;
            }
            login = on;
            return true;
        };
        return d;
    }
};

inline const QStringList kKeys{QStringLiteral("Super"), QStringLiteral("Shift"),
                               QStringLiteral("V")};

// Lets a poll at 0 ms come round: timers of zero fire from the event loop, no time passes.
inline void runPolls()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}
