#pragma once
// Which key types what on the user's current keyboard layout, so that shortcuts and the paste
// keystroke follow the layout (V sits elsewhere on Dvorak). Main thread only.

#include <QString>

#include <optional>

class KeyboardLayout
{
public:
    virtual ~KeyboardLayout() = default;

    // The key code of the key that types `name` (one character, compared lower-cased) without
    // modifiers on the current layout; none when no key of the layout types it.
    virtual std::optional<quint16> keyCode(const QString &name) = 0;

    // What the key with this code types without modifiers on the current layout, as one
    // character; none for keys that type nothing (modifiers, function keys).
    virtual std::optional<QString> character(quint32 keyCode) = 0;

    // The key code to paste with when no key of the layout types "v".
    virtual quint16 fallbackPasteKeyCode() = 0;
};
