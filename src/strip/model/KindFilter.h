#pragma once
// The optional narrowing of the strip by kind. The cases, in order, are also the order of the
// filter bar's buttons; each decides whether a card passes and carries its tooltip and symbol.

#include "core/ClipItem.h"

#include <QList>
#include <QString>

enum class KindFilter { Text, Link, Image, File, Color };

namespace KindFilters {

// Every case, in button order.
QList<KindFilter> all();

// Every file card falls under exactly one of Image and File; PDF documents count as files.
// Decided from values worked out beforehand, so a filter over many cards does not look up
// file categories again. `imageLike` is ClipItem::isImageLike().
bool matches(KindFilter filter, ClipKind kind, bool imageLike);

QString label(KindFilter filter);  // the button's tooltip
QString symbol(KindFilter filter); // the button's symbol name

} // namespace KindFilters
