#pragma once
// The eight colours offered for tabs, in the order the tab editor shows them. New tabs take
// them in turn.

#include <QString>
#include <QStringList>

namespace TabPalette {

QStringList colors();
// The colour of a new tab when `tabCount` tabs exist: the palette taken round-robin.
QString colorFor(qsizetype tabCount);

} // namespace TabPalette
