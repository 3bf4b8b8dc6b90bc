#pragma once
// A key combination claimed for this process on the whole desktop: its presses reach us
// whichever application is in front. Main thread only.

#include <QFlags>
#include <QtGlobal>

#include <functional>
#include <memory>

enum class KeyModifier : quint8 {
    Control = 0x1,
    Alt = 0x2,
    Shift = 0x4,
    Super = 0x8,
};
Q_DECLARE_FLAGS(KeyModifiers, KeyModifier)
Q_DECLARE_OPERATORS_FOR_FLAGS(KeyModifiers)

// Holds the combination until destroyed.
class HotKeyGrab
{
public:
    virtual ~HotKeyGrab() = default;
};

class HotKeyGrabber
{
public:
    struct Result
    {
        std::unique_ptr<HotKeyGrab> grab; // null when the combination could not be claimed
        int status = 0;                   // the window system's error code on failure
    };

    virtual ~HotKeyGrabber() = default;

    // Whether this desktop lets an application claim combinations at all (Wayland does not):
    // without it the user binds the desktop's own shortcut to `varu toggle`.
    virtual bool available() const { return true; }

    // Claims `keyCode` with exactly `modifiers` (lock keys such as Caps Lock and Num Lock
    // do not matter). `pressed` runs on the main thread, from the event loop, once per press
    // (held keys do not repeat it). Fails at once when another client holds the combination.
    virtual Result grab(quint16 keyCode, KeyModifiers modifiers, std::function<void()> pressed) = 0;
};
