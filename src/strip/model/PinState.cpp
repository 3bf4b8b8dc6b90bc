#include "PinState.h"

namespace PinStates {

PinState of(const QList<ClipItem> &cards, const QString &tabID)
{
    qsizetype pinned = 0;
    for (const ClipItem &card : cards) {
        if (card.tabIDs.contains(tabID))
            ++pinned;
    }
    if (pinned == 0)
        return PinState::Off;
    return pinned == cards.size() ? PinState::On : PinState::Mixed;
}

} // namespace PinStates
