#pragma once
// A keyboard layout compiled by xkbcommon from the session's defaults (XKB_DEFAULT_LAYOUT…,
// else US): Wayland tells a client its keymap only with the focus, so Varu uses one of its
// own, and its virtual keyboard types with the very same map.

#include "platform/KeyboardLayout.h"

#include <QByteArray>

struct xkb_context;
struct xkb_keymap;

class XkbLayout : public KeyboardLayout
{
public:
    // `layout` empty: the environment's default. Compiling never fails for a known layout;
    // an unknown one falls back to US.
    explicit XkbLayout(const QByteArray &layout = {});
    ~XkbLayout() override;
    XkbLayout(const XkbLayout &) = delete;
    XkbLayout &operator=(const XkbLayout &) = delete;

    std::optional<quint16> keyCode(const QString &name) override;
    std::optional<QString> character(quint32 keyCode) override;
    quint16 fallbackPasteKeyCode() override;

    // The keymap as text, for the compositor; its modifier masks for the virtual keyboard.
    QByteArray keymapText() const;
    quint32 modifierMask(const char *name) const;
    xkb_keymap *keymap() const { return m_keymap; }

private:
    xkb_context *m_context;
    xkb_keymap *m_keymap;
};
