#pragma once
// Key presses posted through the XTest extension, as if typed: they reach the window that
// has the keyboard focus. Trusted means the X server offers XTest.

#include "platform/KeyInjector.h"

#include <QList>

#include <chrono>

class X11KeyboardLayout;

class X11KeyInjector : public KeyInjector
{
public:
    explicit X11KeyInjector(X11KeyboardLayout &layout);

    bool trusted() override;
    void sendControlKey(quint16 keyCode) override;
    void sendShiftInsert() override;

    // How long held modifiers are waited for before they are released on the user's behalf.
    void setModifierGrace(std::chrono::milliseconds grace) { m_grace = grace; }

private:
    // Waits until no modifier key is down, at most the grace period; then releases those
    // still down, so that the keystroke carries no modifier but its own.
    void settleModifiers();
    // Modifier keys the server has down now.
    QList<quint8> heldModifierKeys();
    void post(quint8 modifierKey, quint8 key);

    X11KeyboardLayout &m_layout;
    std::chrono::milliseconds m_grace{300};
};
