#pragma once
// The picture beside the pointer while cards are dragged: each card's thumbnail, or a small
// tile with its title, in a pile that steps right and down from the first card.

#include "core/ClipItem.h"

#include <QImage>
#include <QList>
#include <QPoint>

namespace DragImage {

struct Pile
{
    QImage image;
    QPoint hotSpot; // where the pointer holds it: a little above and left of the pile
};

// `background` fills the title tiles, as the window behind them.
Pile render(const QList<ClipItem> &cards, const QColor &background);

} // namespace DragImage
