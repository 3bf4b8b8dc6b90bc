#pragma once
// What the strip controller needs of the quick preview panel: show a card above the strip,
// hide, and which card is shown. The panel itself is built separately.

#include "core/ClipItem.h"
#include "core/Representation.h"

#include <QList>
#include <QRect>
#include <QString>

#include <optional>

class QScreen;

class StripPreview
{
public:
    virtual ~StripPreview() = default;

    virtual bool isVisible() const = 0;
    // The card shown; none while hidden.
    virtual std::optional<QString> itemID() const = 0;
    // Shows the card above `above` (the strip's frame) on `screen`; false when there is
    // nothing to preview.
    virtual bool show(const ClipItem &item, const QList<Representation> &reps, const QRect &above,
                      QScreen *screen) = 0;
    virtual void hide() = 0;
};
