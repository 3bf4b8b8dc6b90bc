#pragma once
// The strip's symbols ("clock", "pin.fill"…) from the freedesktop icon theme through one table,
// symbolic icons tinted as asked; a few without a fitting theme icon are drawn here.

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

// Main thread only (icons are GUI objects).
namespace SymbolIcons {

// The theme icon standing in for a symbol; a generic document for names not in the table.
QString themeName(const QString &symbol);

// The symbol at `size` pixels, its shape filled with `color`; transparent when the theme has
// no such icon.
QImage render(const QString &symbol, QSize size, const QColor &color);

// A theme icon by its own name (a MIME type's icon), tinted like a symbol when it is a
// symbolic icon and drawn as it is otherwise. Null when the theme has none of `names`.
QImage renderThemeIcon(const QStringList &names, QSize size, const QColor &symbolicColor);

// Makes the freedesktop icon theme usable: search paths and a theme name when the platform
// gave none, with Adwaita behind the user's theme for the symbols it lacks.
void ensureIconTheme();

} // namespace SymbolIcons
