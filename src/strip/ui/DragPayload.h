#pragma once
// What cards dragged out of the strip offer to the application they are dropped on: text,
// HTML and RTF, links, image data and card files, the files of file cards, colours, and the
// cards' ids for the strip's own tab chips.

#include "core/ClipItem.h"
#include "core/Representation.h"

#include <QList>
#include <QStringList>

#include <memory>

class QMimeData;

namespace DragPayload {

// The type that carries dragged cards' ids, one per line; only the strip offers it.
inline constexpr char itemType[] = "application/x-varu-item";

struct Card
{
    ClipItem item;
    QList<Representation> reps;
};

// The data of a drag of `cards`, the first card leading: texts joined line by line, URLs
// and files in order, any other type from the first card that has it. Image and PDF cards
// are written to files under the cache's "Drag" folder. None when no card has anything to
// offer (a file card whose files are all unreadable).
std::unique_ptr<QMimeData> build(const QList<Card> &cards);

// The card ids a drop carries, empty when it does not come from the strip.
QStringList cardIDs(const QByteArray &payload);

} // namespace DragPayload
