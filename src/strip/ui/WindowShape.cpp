#include "WindowShape.h"

#include <QPainterPath>
#include <QRegion>
#include <QWindow>

namespace WindowShape {

void apply(QWindow &window, bool rounded, int cornerRadius)
{
    QRegion shape;
    if (rounded) {
        QPainterPath path;
        path.addRoundedRect(QRectF(0, 0, window.width(), window.height()), cornerRadius,
                            cornerRadius);
        shape = QRegion(path.toFillPolygon().toPolygon());
    }
    if (shape != window.mask())
        window.setMask(shape);
}

} // namespace WindowShape
