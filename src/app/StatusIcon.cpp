#include "StatusIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace StatusIcon {

namespace {

// The monogram: a V drawn as two strokes meeting in a rounded point, two small ovals, like
// drops, above its arms, and a thin line under it where the copies land.
void drawGlyph(QPainter &p, const QColor &color, qreal grow = 0)
{
    QPen heavy(color, 2.8 + grow, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(heavy);
    QPainterPath v;
    v.moveTo(3.4, 5.0);
    v.lineTo(9.0, 13.6);
    v.lineTo(14.6, 5.0);
    p.drawPath(v);

    QPen light(color, 1.2 + grow, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(light);
    p.drawLine(QPointF(5.4, 16.6), QPointF(12.6, 16.6));

    p.setPen(Qt::NoPen);
    p.setBrush(color);
    const qreal g = grow / 2;
    p.drawEllipse(QRectF(2.1 - g, 0.9 - g, 2.6 + grow, 2.2 + grow));
    p.drawEllipse(QRectF(13.3 - g, 0.9 - g, 2.6 + grow, 2.2 + grow));
}

} // namespace

QImage image(State state, int size, const QColor &color, const QColor &outline)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 18.0, size / 18.0);
    if (state == State::Paused)
        p.setOpacity(0.4);
    if (outline.alpha() > 0)
        drawGlyph(p, outline, 1.4);
    drawGlyph(p, color);
    if (state == State::Warning) {
        // Clear a ring around the dot so it stands free of the glyph, then draw the dot.
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawEllipse(QRectF(12.2, -0.4, 6.4, 6.4));
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        if (outline.alpha() > 0) {
            p.setBrush(outline);
            p.drawEllipse(QRectF(12.7, 0.1, 5.0, 5.0));
        }
        p.setBrush(color);
        p.drawEllipse(QRectF(13.4, 0.8, 4.0, 4.0));
    }
    p.end();
    return img;
}

QIcon icon(State state)
{
    // A tray cannot tint the glyph for its panel the way a menu bar does, so it is light with
    // a soft dark edge: it reads on dark and on light panels alike.
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64})
        icon.addPixmap(
            QPixmap::fromImage(image(state, size, QColor(0xF4, 0xF4, 0xF4), QColor(0, 0, 0, 120))));
    return icon;
}

} // namespace StatusIcon
