#include "WaylandKeyInjector.h"

#include "WaylandConnection.h"
#include "XkbLayout.h"

#include "platform/Log.h"

#include "virtual-keyboard-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <QElapsedTimer>

#include <sys/mman.h>
#include <unistd.h>

namespace {

// evdev codes (the virtual keyboard speaks them; X11 key codes are these plus 8).
constexpr quint16 kLeftCtrl = 29;
constexpr quint16 kLeftShift = 42;
constexpr quint16 kInsert = 110;
constexpr quint16 kEvdevOffset = 8;

} // namespace

// The keyboard itself, on the protocol thread.
class WaylandKeyInjector::Keyboard : public QObject
{
public:
    Keyboard(WaylandConnection &connection, QByteArray keymap, quint32 control, quint32 shift)
        : m_connection(connection)
        , m_keymap(std::move(keymap))
        , m_control(control)
        , m_shift(shift)
    {
        m_clock.start();
    }

    ~Keyboard() override
    {
        if (m_keyboard)
            zwp_virtual_keyboard_v1_destroy(m_keyboard);
    }

    void start()
    {
        const WaylandConnection::Globals &g = m_connection.globals();
        const int fd = memfd_create("varu-keymap", MFD_CLOEXEC);
        if (fd < 0 || ::write(fd, m_keymap.constData(), size_t(m_keymap.size() + 1)) !=
                          m_keymap.size() + 1) {
            qCWarning(lcVaru, "Não foi possível preparar o teclado virtual");
            if (fd >= 0)
                ::close(fd);
            return;
        }
        m_keyboard = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(g.virtualKeyboard,
                                                                              g.seat);
        zwp_virtual_keyboard_v1_keymap(m_keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                       uint32_t(m_keymap.size() + 1));
        ::close(fd);
        m_connection.flush();
    }

    // Modifier down, key down and up, modifier up: what the target sees as the combination.
    void press(const char *modifier, quint16 modifierKey, quint16 key)
    {
        if (!m_keyboard)
            return;
        const quint32 mask = qstrcmp(modifier, "Shift") == 0 ? m_shift : m_control;
        send(modifierKey, true);
        zwp_virtual_keyboard_v1_modifiers(m_keyboard, mask, 0, 0, 0);
        send(key, true);
        send(key, false);
        send(modifierKey, false);
        zwp_virtual_keyboard_v1_modifiers(m_keyboard, 0, 0, 0, 0);
        m_connection.flush();
    }

private:
    void send(quint16 key, bool down)
    {
        zwp_virtual_keyboard_v1_key(m_keyboard, uint32_t(m_clock.elapsed()), key,
                                    down ? WL_KEYBOARD_KEY_STATE_PRESSED
                                         : WL_KEYBOARD_KEY_STATE_RELEASED);
    }

    WaylandConnection &m_connection;
    QByteArray m_keymap;
    quint32 m_control, m_shift;
    QElapsedTimer m_clock;
    zwp_virtual_keyboard_v1 *m_keyboard = nullptr;
};

WaylandKeyInjector::WaylandKeyInjector(WaylandConnection &connection, XkbLayout &layout)
    : m_connection(connection)
{
    const WaylandConnection::Globals &g = connection.globals();
    if (!g.virtualKeyboard || !g.seat)
        return;
    m_keyboard = connection.adopt(new Keyboard(connection, layout.keymapText(),
                                               layout.modifierMask("Control"),
                                               layout.modifierMask("Shift")));
}

bool WaylandKeyInjector::trusted()
{
    return m_keyboard != nullptr;
}

void WaylandKeyInjector::press(const char *modifier, quint16 modifierKey, quint16 key)
{
    if (!m_keyboard)
        return;
    Keyboard *keyboard = m_keyboard;
    WaylandConnection::post(keyboard, [keyboard, modifier, modifierKey, key] {
        keyboard->press(modifier, modifierKey, key);
    });
}

void WaylandKeyInjector::sendControlKey(quint16 keyCode)
{
    if (keyCode > kEvdevOffset)
        press("Control", kLeftCtrl, keyCode - kEvdevOffset);
}

void WaylandKeyInjector::sendShiftInsert()
{
    press("Shift", kLeftShift, kInsert);
}
