#pragma once
// Whether a set of cards is in a tab, as the "Fixar em" submenu marks each tab: on when every
// card is in it, mixed when some are, off otherwise.

#include "core/ClipItem.h"

#include <QList>
#include <QString>

enum class PinState { On, Mixed, Off };

namespace PinStates {

// An empty set of cards is off: there is nothing pinned.
PinState of(const QList<ClipItem> &cards, const QString &tabID);

} // namespace PinStates
