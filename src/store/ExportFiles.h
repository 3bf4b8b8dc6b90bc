#pragma once
// Writes one card's content to an ordinary file (text, RTF, image, PDF) in the caches folder,
// for dragging a card out of the strip and for the quick preview. Touches no database.

#include "core/ClipItem.h"
#include "core/Representation.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QUrl>

#include <optional>

namespace ExportFiles {

// A file with the card's content under $XDG_CACHE_HOME/Varu/<folder>, or none when the card
// has nothing a file can hold. File cards give their first file URL; colours give none.
// With `stableName` the file is named by the card's id and rewritten only when its content
// changed; otherwise by the custom title, else "Varu <date> às <time>". A name in `taken` (files
// the caller already handed out, such as the other cards of one drag) gets " 2", " 3"… added.
std::optional<QUrl> url(const ClipItem &item, const QList<Representation> &reps,
                        const QString &folder, bool stableName, const QSet<QString> &taken = {});

// The file URLs carried by "public.file-url" representations, in order.
QList<QUrl> fileURLs(const QList<Representation> &reps);

} // namespace ExportFiles
