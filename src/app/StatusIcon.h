#pragma once
// The tray icon: Varu's monogram, faded while capture is paused, with a dot cut free at the
// top right while the clipboard cannot be read.

#include <QIcon>
#include <QImage>

namespace StatusIcon {

enum class State { Normal, Paused, Warning };

// The glyph on an 18 × 18 canvas scaled to `size` pixels, in `color`, with an optional edge.
QImage image(State state, int size, const QColor &color, const QColor &outline = Qt::transparent);
// Every size a tray asks for, in a colour that reads on the panel's background.
QIcon icon(State state);

} // namespace StatusIcon
