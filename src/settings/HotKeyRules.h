#pragma once
// How a global shortcut is judged and shown: modifier names and their canonical order, the
// keys and combinations the user may not take, and the label ("Super+Shift+V"). Pure functions.

#include "VaruConfig.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

namespace HotKeyRules {

// Keys never accepted, compared exactly as given: space, tab and "q".
const QStringList &forbiddenKeys();

// Combinations taken by the desktop or common applications, keyed by the canonical modifiers
// and the key joined with "+" ("opt+shift+cmd+v"), each with the description shown to the user.
const QList<std::pair<QString, QString>> &reserved();

// Lower-cased, aliases resolved ("command" -> "cmd"), duplicates and unknown names dropped,
// in the canonical order ctrl, opt, shift, cmd.
QStringList normalized(const QStringList &modifiers);

// The message that rejects the combination, or none when it is acceptable. The first rule
// that matches wins: too few modifiers, a forbidden key, a reserved combination.
std::optional<QString> problem(const QString &key, const QStringList &modifiers);

// Whether any desktop could register the combination: one key character, and modifiers
// beyond Shift (a lone Shift, or none, would take a typing key from every application), and
// not Ctrl+V, the keystroke Varu types to paste. Whether the key is on the layout, or the
// desktop lets it be taken, is not known here.
bool registrable(const HotKeyConfig &config);

// As the desktop writes it: "Super+Shift+V" ("cmd" is the Super key).
QString label(const HotKeyConfig &config);

// The keys of the combination as the desktop names them, one per key cap, modifiers first:
// {"Super", "Shift", "V"}.
QStringList keyNames(const HotKeyConfig &config);

// Shown when a new shortcut could not be registered and the previous one was kept.
QString inUseMessage(const HotKeyConfig &previous);

// Whether a key press's characters (ignoring modifiers) may become a shortcut's key: exactly
// one character whose code points are all letters, marks or digits of any script, or one of
// [ ] ; ' , . / ` - = and space. Returns the key lower-cased, or none.
std::optional<QString> recordableKey(const QString &characters);

} // namespace HotKeyRules
