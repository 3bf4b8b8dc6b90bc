#pragma once
// The keyboard layout as the X server has it (XKB): which key code types a character on the
// current layout group, and where a named key (Control, Insert…) sits. Read afresh at each
// call, so a layout switched a moment ago is honoured.

#include "platform/KeyboardLayout.h"

#include <QtGlobal>

#include <optional>

struct xkb_context;

class X11KeyboardLayout : public KeyboardLayout
{
public:
    X11KeyboardLayout();
    ~X11KeyboardLayout() override;
    X11KeyboardLayout(const X11KeyboardLayout &) = delete;
    X11KeyboardLayout &operator=(const X11KeyboardLayout &) = delete;

    // Level one (no modifiers) of the current group first, then of the other groups in
    // order, as the spare Latin group of a Cyrillic or Greek setup still types "v".
    std::optional<quint16> keyCode(const QString &name) override;
    // The key of the "v" keysym at any level or group, else 55 (V on evdev keyboards).
    std::optional<QString> character(quint32 keyCode) override;
    quint16 fallbackPasteKeyCode() override;

    // The first key code that carries `keysym` at any level, current group first.
    std::optional<quint16> keyCodeOfKeysym(quint32 keysym);

private:
    struct Snapshot;
    std::optional<Snapshot> snapshot();

    xkb_context *m_context = nullptr;
    bool m_extensionReady = false;
};
