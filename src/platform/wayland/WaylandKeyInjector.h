#pragma once
// Key presses through one virtual keyboard (zwp_virtual_keyboard_v1) made at start and kept:
// it carries Varu's own keymap, so the paste keystroke does not depend on the user's layout,
// and the seat keeps a keyboard, which a headless compositor needs to deliver the first key.

#include "platform/KeyInjector.h"

#include <QObject>

class WaylandConnection;
class XkbLayout;
struct zwp_virtual_keyboard_v1;

class WaylandKeyInjector : public KeyInjector
{
public:
    WaylandKeyInjector(WaylandConnection &connection, XkbLayout &layout);

    // Whether the compositor offers virtual keyboards.
    bool trusted() override;
    void sendControlKey(quint16 keyCode) override;
    void sendShiftInsert() override;

private:
    class Keyboard;
    void press(const char *modifier, quint16 modifierKey, quint16 key);

    WaylandConnection &m_connection;
    Keyboard *m_keyboard = nullptr;
};
