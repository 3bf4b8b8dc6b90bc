#include "CardSearchIndex.h"

#include "SearchFolding.h"

#include "core/TextCut.h"

#include <algorithm>

namespace {

const QList<CardSearchIndex::Entry> kNoEntries;

QByteArray foldedUtf8(const ClipItem &item)
{
    QByteArray folded = SearchFolding::fold(CardSearchIndex::searchText(item)).toUtf8();
    // The conversion reserves three bytes per character; kept for every card, the unused
    // room would be twice the text itself.
    folded.squeeze();
    return folded;
}

} // namespace

QString CardSearchIndex::searchText(const ClipItem &item)
{
    return item.title + QLatin1Char(' ') + item.customTitle.value_or(QString()) + QLatin1Char(' ') +
           item.sourceName.value_or(QString()) + QLatin1Char(' ') + item.typeLabel();
}

CardSearchIndex::Entry CardSearchIndex::makeEntry(const ClipItem &item)
{
    if (!item.searchText.isNull())
        return Entry{item.searchText, item.isImageLike()};
    return Entry{foldedUtf8(item), item.isImageLike()};
}

void CardSearchIndex::compact(ClipItem &item)
{
    item.searchText = foldedUtf8(item);
    // Only texts: a link is opened from its title, a file card lists paths. A title of fewer
    // UTF-16 units has fewer characters still.
    const bool text = item.kind == ClipKind::Text || item.kind == ClipKind::RichText;
    if (!text || item.title.size() <= kShownTitleCharacters)
        return;
    const QString shown = TextCut::leadingCharacters(item.title, kShownTitleCharacters);
    if (shown.size() == item.title.size())
        return;
    item.titleCharacters = TextCut::characterCount(item.title);
    item.title = shown;
    item.title.squeeze();
}

void CardSearchIndex::rebuild(const QList<ClipItem> &history, const TabItems &tabItems)
{
    m_history = index(history, m_history);
    QHash<QString, Indexed> tabs;
    for (auto it = tabItems.cbegin(); it != tabItems.cend(); ++it)
        tabs.insert(it.key(), index(it.value(), m_tabs.value(it.key())));
    m_tabs = std::move(tabs);
}

const QList<CardSearchIndex::Entry> &CardSearchIndex::userTab(const QString &id) const
{
    const auto it = m_tabs.constFind(id);
    return it == m_tabs.cend() ? kNoEntries : it->entries;
}

CardSearchIndex::Indexed CardSearchIndex::index(const QList<ClipItem> &items,
                                                const Indexed &previous)
{
    // A reload mostly keeps the previous order: new cards on top, a few moved or gone. So the
    // previous list is walked alongside, looking a short way ahead for each card; a card not
    // found there (moved far, or new) is simply folded again, which costs about a microsecond.
    constexpr qsizetype kLookahead = 32;
    // A compacted record's search text stands for its whole title, which the shown start
    // alone may not tell apart; records read once share the very same bytes, so comparing
    // where they are answers at once for the cards a reload did not touch.
    const auto sameFields = [](const ClipItem &a, const ClipItem &b) {
        if (a.searchText.constData() != b.searchText.constData())
            return false;
        if (!a.searchText.isNull())
            return true;
        return a.kind == b.kind && a.title == b.title && a.customTitle == b.customTitle &&
               a.sourceName == b.sourceName;
    };
    Indexed result{items, {}};
    result.entries.reserve(items.size());
    const qsizetype previousSize = previous.items.size();
    qsizetype cursor = 0;
    for (const ClipItem &item : items) {
        qsizetype found = -1;
        const qsizetype end = std::min(previousSize, cursor + kLookahead);
        for (qsizetype k = cursor; k < end; ++k) {
            if (previous.items.at(k).id == item.id) {
                found = k;
                break;
            }
        }
        if (found < 0) {
            result.entries.append(makeEntry(item));
            continue;
        }
        cursor = found + 1;
        result.entries.append(sameFields(previous.items.at(found), item)
                                  ? previous.entries.at(found)
                                  : makeEntry(item));
    }
    return result;
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
