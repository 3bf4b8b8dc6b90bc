#pragma once
// The rounded outline of Varu's panels where no compositor draws transparency: the window's
// shape cuts the corners that would otherwise show black.

class QWindow;

namespace WindowShape {

// Shapes `window` to a rounded rectangle of its size when `rounded`, else clears the shape.
void apply(QWindow &window, bool rounded, int cornerRadius);

} // namespace WindowShape
