#pragma once
// Whether a set of cards is in a tab, as the "Fixar em" submenu marks each tab: on when every
// card is in it, mixed when some are, off otherwise.

#include "core/ClipItem.h"

#include <QList>
#include <QObject>
#include <QString>

namespace PinStates {
Q_NAMESPACE

// In the namespace, so that its meta-object carries the cases for the views.
enum class PinState { On, Mixed, Off };
Q_ENUM_NS(PinState)

// An empty set of cards is off: there is nothing pinned.
PinState of(const QList<ClipItem> &cards, const QString &tabID);

} // namespace PinStates

using PinStates::PinState;
