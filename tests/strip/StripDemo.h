#pragma once
// A realistic history for looking at the strip: text, a link, rich text with a custom name,
// an image and a PDF with thumbnails made by the real thumbnailer, real files of several
// kinds, a colour, and two tabs. Source applications get desktop entries and icons in the
// user's data folder, so they are found the way installed applications are.

#include "capture/Board.h"
#include "capture/ClipItem.h"

#include <QHash>
#include <QList>
#include <QString>

namespace StripDemo {

struct History
{
    QList<ClipItem> history;
    QList<Board> boards;
    QHash<QString, QList<ClipItem>> boardItems;
};

// Writes the files into `folder` and the desktop entries into $XDG_DATA_HOME; `now` is the
// time the cards' ages are measured from.
History make(const QString &folder, double now);

// Installs the source applications' desktop entries and icons (part of make()).
void installApplications();

} // namespace StripDemo
