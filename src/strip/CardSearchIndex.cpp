#include "CardSearchIndex.h"

#include "SearchFolding.h"

namespace {
const QList<CardSearchIndex::Entry> kNoEntries;
} // namespace

QString CardSearchIndex::searchText(const ClipItem &item)
{
    return item.title + QLatin1Char(' ') + item.customTitle.value_or(QString()) + QLatin1Char(' ') +
           item.sourceName.value_or(QString()) + QLatin1Char(' ') + item.typeLabel();
}

CardSearchIndex::Entry CardSearchIndex::makeEntry(const ClipItem &item)
{
    return Entry{SearchFolding::fold(searchText(item)).toUtf8(), item.isImageLike()};
}

void CardSearchIndex::rebuild(const QList<ClipItem> &history, const BoardItems &boardItems)
{
    ++m_generation;
    m_history = entriesFor(history);
    m_boards.clear();
    for (auto it = boardItems.cbegin(); it != boardItems.cend(); ++it)
        m_boards.insert(it.key(), entriesFor(it.value()));
    // Forget cards this snapshot no longer holds.
    m_byID.removeIf([this](const auto &it) { return it.value().generation != m_generation; });
}

const QList<CardSearchIndex::Entry> &CardSearchIndex::board(const QString &id) const
{
    const auto it = m_boards.constFind(id);
    return it == m_boards.cend() ? kNoEntries : it.value();
}

QList<CardSearchIndex::Entry> CardSearchIndex::entriesFor(const QList<ClipItem> &items)
{
    QList<Entry> entries;
    entries.reserve(items.size());
    for (const ClipItem &item : items) {
        // A card kept from the previous snapshot, or already met in another list of this
        // one (the history and several tabs can hold it), is not folded again.
        Cached &cached = m_byID[item.id];
        if (cached.generation == 0 || cached.kind != item.kind || cached.title != item.title ||
            cached.customTitle != item.customTitle || cached.sourceName != item.sourceName) {
            cached = Cached{item.title, item.customTitle, item.sourceName,
                            item.kind,  makeEntry(item),  0};
        }
        cached.generation = m_generation;
        entries.append(cached.entry);
    }
    return entries;
}

QList<ClipItem> CardSearchIndex::filter(const QList<ClipItem> &items, const QList<Entry> &entries,
                                        std::optional<KindFilter> kindFilter,
                                        const QByteArrayList &tokens)
{
    if (!kindFilter && tokens.isEmpty())
        return items;
    QList<ClipItem> result;
    for (qsizetype i = 0; i < items.size(); ++i) {
        // A list the index has not seen (should not happen) is folded on the spot.
        const Entry entry = i < entries.size() ? entries.at(i) : makeEntry(items.at(i));
        if (kindFilter && !KindFilters::matches(*kindFilter, items.at(i).kind, entry.imageLike))
            continue;
        if (!SearchFolding::containsAll(entry.folded, tokens))
            continue;
        result.append(items.at(i));
    }
    return result;
}
