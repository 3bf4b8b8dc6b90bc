#pragma once
// Synthetic key presses delivered to whichever window has the keyboard focus: the paste
// keystroke sent on the user's behalf. Main thread only.

#include <QtGlobal>

class KeyInjector
{
public:
    virtual ~KeyInjector() = default;

    // Whether this process may post synthetic key events at all.
    virtual bool trusted() = 0;

    // Ctrl plus `keyCode`, pressed and released: the paste of graphical toolkits. Modifier
    // keys the user still holds are waited for briefly and then released, so that the target
    // sees exactly this combination.
    virtual void sendControlKey(quint16 keyCode) = 0;

    // Shift+Insert, with the same care for held modifiers: terminals paste with it.
    virtual void sendShiftInsert() = 0;
};
