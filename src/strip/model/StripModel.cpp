#include "StripModel.h"

#include "SearchFolding.h"

StripModel::StripModel(QObject *parent)
    : QObject(parent)
{}

void StripModel::togglePreview()
{
    if (m_togglePreview)
        m_togglePreview();
}

// --- snapshot

void StripModel::setData(const QList<ClipItem> &history, const QList<UserTab> &tabs,
                         const TabItems &tabItems)
{
    // All three are stored before anyone is told, so a listener never sees history from one
    // snapshot next to tabs from another.
    m_history = history;
    m_tabs = tabs;
    m_tabItems = tabItems;
    m_index.rebuild(m_history, m_tabItems);
    invalidateFiltered();
    Q_EMIT historyChanged();
    Q_EMIT tabsChanged();
    Q_EMIT tabItemsChanged();
    Q_EMIT filteredChanged();

    // The open tab was deleted elsewhere: fall back to the history.
    if (m_tab.isUserTab() && !userTab(m_tab.tabID()))
        setTab(Tab::history());

    // Which selected cards are still visible, in one pass over the visible list; with one
    // card selected only the focus needs looking for.
    bool focusVisible = false;
    QSet<QString> kept;
    if (m_selectedID) {
        const QList<ClipItem> list = filtered();
        const bool single = m_selectedIDs.isEmpty() ||
                            (m_selectedIDs.size() == 1 && m_selectedIDs.contains(*m_selectedID));
        for (const ClipItem &item : std::as_const(list)) {
            if (item.id == *m_selectedID) {
                focusVisible = true;
                if (single)
                    break;
            }
            if (!single && m_selectedIDs.contains(item.id))
                kept.insert(item.id);
        }
        if (single && focusVisible)
            kept = m_selectedIDs;
    }
    if (focusVisible) {
        if (kept == m_selectedIDs)
            return;
        if (kept.isEmpty())
            kept = {*m_selectedID};
        writeMultiSelection(m_selectedID, kept);
        return;
    }
    selectFirst();
}

// --- user state

void StripModel::setTab(const Tab &tab)
{
    if (tab == m_tab)
        return;
    m_tab = tab;
    invalidateFiltered();
    Q_EMIT tabChanged();
    Q_EMIT filteredChanged();
    selectFirst();
}

void StripModel::setQuery(const QString &query)
{
    if (query == m_query)
        return;
    m_query = query;
    QByteArrayList tokens;
    for (const QString &token : SearchFolding::tokens(query))
        tokens.append(token.toUtf8());
    // Typing a space or a trailing letter that folds away leaves the visible list as it is.
    const bool listChanges = tokens != m_tokens;
    m_tokens = tokens;
    if (listChanges)
        invalidateFiltered();
    Q_EMIT queryChanged();
    if (listChanges)
        Q_EMIT filteredChanged();
    selectFirst();
}

void StripModel::setKindFilter(std::optional<KindFilter> filter)
{
    if (filter == m_kindFilter)
        return;
    m_kindFilter = filter;
    invalidateFiltered();
    Q_EMIT kindFilterChanged();
    Q_EMIT filteredChanged();
    selectFirst();
}

int StripModel::kindFilterIndex() const
{
    return m_kindFilter ? int(KindFilters::all().indexOf(*m_kindFilter)) : -1;
}

void StripModel::setKindFilterIndex(int index)
{
    const QList<KindFilter> all = KindFilters::all();
    setKindFilter(index >= 0 && index < all.size() ? std::optional(all.at(index)) : std::nullopt);
}

QStringList StripModel::selectedIDList() const
{
    return QStringList(m_selectedIDs.cbegin(), m_selectedIDs.cend());
}

QVariant StripModel::dropTargetValue() const
{
    return m_dropTarget ? QVariant::fromValue(*m_dropTarget) : QVariant();
}

void StripModel::prepareForShow()
{
    setQuery(QString());
    setKindFilter(std::nullopt);
    assignEditing(std::nullopt);
    assignTabEditor(std::nullopt);
    selectFirst();
    bumpFocusToken();
}

void StripModel::requestSearchFocus()
{
    bumpFocusToken();
}

void StripModel::cycleTab(int step)
{
    QList<Tab> ring{Tab::history()};
    for (const UserTab &b : m_tabs)
        ring.append(Tab::userTab(b.id));
    const qsizetype n = ring.size();
    const qsizetype i = std::max<qsizetype>(0, ring.indexOf(m_tab));
    setTab(ring.at((((i + step) % n) + n) % n));
}

// --- derived values

QList<ClipItem> StripModel::currentItems() const
{
    if (m_tab.isHistory())
        return m_history;
    return m_tabItems.value(m_tab.tabID());
}

std::optional<UserTab> StripModel::currentTab() const
{
    if (m_tab.isHistory())
        return std::nullopt;
    return userTab(m_tab.tabID());
}

QList<ClipItem> StripModel::filtered() const
{
    if (!m_filtered) {
        if (m_tab.isHistory()) {
            m_filtered =
                CardSearchIndex::filter(m_history, m_index.history(), m_kindFilter, m_tokens);
        } else {
            const QString id = m_tab.tabID();
            m_filtered = CardSearchIndex::filter(m_tabItems.value(id), m_index.userTab(id),
                                                 m_kindFilter, m_tokens);
        }
    }
    return *m_filtered;
}

std::optional<ClipItem> StripModel::visible(const QString &id) const
{
    const qsizetype i = indexInFiltered(id);
    return i < 0 ? std::nullopt : std::optional(filtered().at(i));
}

std::optional<ClipItem> StripModel::selected() const
{
    return m_selectedID ? visible(*m_selectedID) : std::nullopt;
}

QList<ClipItem> StripModel::selectedItems() const
{
    QList<ClipItem> items;
    if (m_selectedIDs.isEmpty())
        return items;
    const QList<ClipItem> list = filtered();
    for (const ClipItem &item : std::as_const(list)) {
        if (m_selectedIDs.contains(item.id))
            items.append(item);
    }
    return items;
}

int StripModel::count(const Tab &tab) const
{
    if (tab.isHistory())
        return int(m_history.size());
    const auto it = m_tabItems.constFind(tab.tabID());
    return it == m_tabItems.cend() ? 0 : int(it->size());
}

std::optional<UserTab> StripModel::userTab(const QString &id) const
{
    for (const UserTab &b : m_tabs) {
        if (b.id == id)
            return b;
    }
    return std::nullopt;
}

void StripModel::invalidateFiltered()
{
    m_filtered.reset();
}

qsizetype StripModel::indexInFiltered(const QString &id) const
{
    const QList<ClipItem> list = filtered();
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).id == id)
            return i;
    }
    return -1;
}

// --- overlay and focus fields

void StripModel::assignEditing(const std::optional<EditState> &editing)
{
    if (editing == m_editing)
        return;
    const bool hadOverlay = hasOverlay();
    m_editing = editing;
    Q_EMIT editingChanged();
    if (hadOverlay != hasOverlay())
        Q_EMIT overlayChanged();
}

void StripModel::assignTabEditor(const std::optional<TabEditState> &editor)
{
    if (editor == m_tabEditor)
        return;
    const bool hadOverlay = hasOverlay();
    m_tabEditor = editor;
    Q_EMIT tabEditorChanged();
    if (hadOverlay != hasOverlay())
        Q_EMIT overlayChanged();
}

void StripModel::bumpFocusToken()
{
    ++m_focusToken;
    Q_EMIT focusTokenChanged();
}

void StripModel::setDropTarget(const std::optional<Tab> &target)
{
    if (target == m_dropTarget)
        return;
    m_dropTarget = target;
    Q_EMIT dropTargetChanged();
}

void StripModel::clearDropTarget(const Tab &leaving)
{
    if (m_dropTarget == leaving)
        setDropTarget(std::nullopt);
}
