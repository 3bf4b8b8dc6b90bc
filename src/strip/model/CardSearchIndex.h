#pragma once
// What the strip's filter needs of each card (folded search text, image-likeness), worked out
// once per snapshot; a reload refolds only the cards whose searchable fields changed.

#include "KindFilter.h"
#include "core/ClipItem.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

using TabItems = QHash<QString, QList<ClipItem>>;

class CardSearchIndex
{
public:
    struct Entry
    {
        QByteArray folded; // UTF-8
        bool imageLike = false;
    };

    // The text a card is searched in: the four fields joined by one space.
    static QString searchText(const ClipItem &item);
    static Entry makeEntry(const ClipItem &item);

    // Readies a record read from the store for the strip: folds its search text now and
    // keeps only the start of a long text's title, which is what a card shows.
    static void compact(ClipItem &item);
    // Characters of a text's title kept by `compact`: more than a card has room for.
    static constexpr qsizetype kShownTitleCharacters = 1000;

    // Indexes a new snapshot, taking the entries of unchanged cards from the previous one.
    void rebuild(const QList<ClipItem> &history, const TabItems &tabItems);

    // Entries parallel to the history, and to the list of one tab (empty when unknown).
    const QList<Entry> &history() const { return m_history.entries; }
    const QList<Entry> &userTab(const QString &id) const;

    // The cards of `items` that pass the kind filter and contain every token, in order.
    // `entries` must be the index's list for `items`.
    static QList<ClipItem> filter(const QList<ClipItem> &items, const QList<Entry> &entries,
                                  std::optional<KindFilter> kindFilter,
                                  const QByteArrayList &tokens);

private:
    struct Indexed
    {
        QList<ClipItem> items; // shares the snapshot's list
        QList<Entry> entries;
    };

    static Indexed index(const QList<ClipItem> &items, const Indexed &previous);

    Indexed m_history;
    QHash<QString, Indexed> m_tabs;
};
