#include "X11KeyInjector.h"

#include "X11Connection.h"
#include "X11KeyboardLayout.h"

#include <QDeadlineTimer>
#include <QThread>

#include <xcb/xtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

#include <memory>

namespace {

// Evdev key codes, for a keymap that somehow lacks the named keys.
constexpr quint8 kEvdevControlL = 37;
constexpr quint8 kEvdevShiftL = 50;
constexpr quint8 kEvdevInsert = 118;

using X11Connection::Reply;

void fake(xcb_connection_t *c, uint8_t type, quint8 key)
{
    xcb_test_fake_input(c, type, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, XCB_NONE);
}

// Waits until the server has handled every request sent so far.
void sync(xcb_connection_t *c)
{
    Reply<xcb_get_input_focus_reply_t> r(
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

} // namespace

X11KeyInjector::X11KeyInjector(X11KeyboardLayout &layout)
    : m_layout(layout)
{}

bool X11KeyInjector::trusted()
{
    xcb_connection_t *c = X11Connection::connection();
    if (!c)
        return false;
    const xcb_query_extension_reply_t *ext = xcb_get_extension_data(c, &xcb_test_id);
    return ext && ext->present;
}

QList<quint8> X11KeyInjector::heldModifierKeys()
{
    QList<quint8> held;
    xcb_connection_t *c = X11Connection::connection();
    const auto mapCookie = xcb_get_modifier_mapping(c);
    const auto keysCookie = xcb_query_keymap(c);
    Reply<xcb_get_modifier_mapping_reply_t> map(
        xcb_get_modifier_mapping_reply(c, mapCookie, nullptr));
    Reply<xcb_query_keymap_reply_t> keys(xcb_query_keymap_reply(c, keysCookie, nullptr));
    if (!map || !keys)
        return held;
    const xcb_keycode_t *codes = xcb_get_modifier_mapping_keycodes(map.get());
    const int count = xcb_get_modifier_mapping_keycodes_length(map.get());
    for (int i = 0; i < count; ++i) {
        const xcb_keycode_t code = codes[i];
        if (code != 0 && (keys->keys[code / 8] & (1 << (code % 8))) && !held.contains(code))
            held << code;
    }
    return held;
}

void X11KeyInjector::settleModifiers()
{
    QDeadlineTimer deadline(m_grace);
    QList<quint8> held = heldModifierKeys();
    while (!held.isEmpty() && !deadline.hasExpired()) {
        QThread::msleep(5);
        held = heldModifierKeys();
    }
    xcb_connection_t *c = X11Connection::connection();
    for (const quint8 key : std::as_const(held))
        fake(c, XCB_KEY_RELEASE, key);
}

void X11KeyInjector::post(quint8 modifierKey, quint8 key)
{
    xcb_connection_t *c = X11Connection::connection();
    if (!trusted() || key == 0)
        return;
    settleModifiers();
    fake(c, XCB_KEY_PRESS, modifierKey);
    fake(c, XCB_KEY_PRESS, key);
    fake(c, XCB_KEY_RELEASE, key);
    fake(c, XCB_KEY_RELEASE, modifierKey);
    xcb_flush(c);
    sync(c);
}

void X11KeyInjector::sendControlKey(quint16 keyCode)
{
    if (keyCode > 0xff)
        return;
    post(m_layout.keyCodeOfKeysym(XKB_KEY_Control_L).value_or(kEvdevControlL), quint8(keyCode));
}

void X11KeyInjector::sendShiftInsert()
{
    post(m_layout.keyCodeOfKeysym(XKB_KEY_Shift_L).value_or(kEvdevShiftL),
         m_layout.keyCodeOfKeysym(XKB_KEY_Insert).value_or(kEvdevInsert));
}
