#pragma once
// A realistic history for looking at the strip: texts, a link, a named rich text, an image and
// a PDF with real thumbnails, real files of several kinds, a colour and two tabs. Its source
// applications get desktop entries and icons in $XDG_DATA_HOME, as installed ones do.

#include "core/UserTab.h"
#include "core/ClipItem.h"
#include "core/Representation.h"

#include <QHash>

namespace StripDemo {

struct History
{
    QList<ClipItem> history;
    QList<UserTab> tabs;
    QHash<QString, QList<ClipItem>> tabItems;
    // What each card holds, as the store would answer for it.
    QHash<QString, QList<Representation>> reps;
};

// Writes the files into `folder`; cards' ages are measured from `now`.
History make(const QString &folder, double now);

} // namespace StripDemo
