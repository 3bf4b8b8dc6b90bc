#pragma once
// Shortcuts as Linux desktops write them: "Ctrl+Enter", "Super+Shift+V". The one formatter for
// every label, hint, menu and message that names keys.

#include <QString>
#include <QStringList>

namespace KeyNames {

// `modifiers` by their configuration names (ctrl, opt or alt, shift, cmd or super, in any
// order and case; unknown ones are left out), written in the order Super, Ctrl, Alt, Shift.
// `key` is a character ("v", "1", "ç": upper-cased) or a key name (return, escape, space, tab,
// backspace, delete, left, right, up, down: their usual labels).
QString shortcut(const QStringList &modifiers, const QString &key);
// The same as separate key caps: {"Super", "Shift", "V"}.
QStringList caps(const QStringList &modifiers, const QString &key);

// The modifier that Varu's own keys use inside its windows, with `key`: "Ctrl+T".
QString primary(const QString &key);

} // namespace KeyNames
