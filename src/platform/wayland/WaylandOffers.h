#pragma once
// What a Wayland clipboard offer is worth reading, and what a write offers: the MIME names
// an owner lists become stored types (one read per stored type, the best text name for text),
// and written items become the MIME names other clients ask for. No protocol code: plain data.

#include "platform/Clipboard.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace WaylandOffers {

// One read: the stored type it fills and the MIME name it is asked for.
struct Read
{
    QString storedType;
    QString mime;

    friend bool operator==(const Read &, const Read &) = default;
};

// The reads an offer of `mimes` needs, in the owner's order: bookkeeping names (TARGETS,
// TEXT, STRING…) go unless nothing better carries the text, extra image conversions go, and a
// file list is read once as public.file-url. Empty when any stored type is in `unheld`
// (concealed copies are never read at all).
QList<Read> plan(const QStringList &mimes, const QStringList &unheld = {});

// What was read of one offer, as the main thread sees it: item 0's types and bytes, and the
// copied files, one item each.
struct Snapshot
{
    QList<std::pair<QString, std::optional<QByteArray>>> entries; // item 0, in order
    QList<QByteArray> fileUris;

    QStringList types(int item) const;
    std::optional<QByteArray> data(int item, const QString &type) const;
    int itemCount() const;
};

// The snapshot of the reads of `plan`, given the bytes each MIME name gave (none: failed).
// A URI list without local files is kept under its own MIME name, as web links.
Snapshot snapshot(const QList<Read> &plan, const QHash<QString, std::optional<QByteArray>> &read);

// The MIME names and bytes a write of `items` offers, in order. Text goes under every name
// terminals and X11 clients ask for; files as a URI list and as GNOME's copied-files list.
// The first item's data of each type wins (one selection holds one item).
QList<std::pair<QString, QByteArray>> offer(const QList<ClipboardItem> &items);

// application/x-color (four native-endian 16-bit channels) as sRGB; none when malformed.
std::optional<SrgbColor> color(const QByteArray &bytes);

} // namespace WaylandOffers
