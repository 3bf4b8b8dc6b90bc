// The selection rules of StripModel: focus, ranges, toggles and the marquee.

#include "StripModel.h"

void StripModel::assignSelectedID(const std::optional<QString> &id)
{
    if (id != m_selectedID) {
        m_selectedID = id;
        Q_EMIT selectedIDChanged();
    }
    // Even an unchanged focus collapses a multi-selection to itself.
    if (!m_keepingSelection)
        assignSelectedIDs(id ? QSet<QString>{*id} : QSet<QString>());
}

void StripModel::assignSelectedIDs(const QSet<QString> &ids)
{
    if (ids == m_selectedIDs)
        return;
    m_selectedIDs = ids;
    Q_EMIT selectedIDsChanged();
}

void StripModel::writeMultiSelection(const std::optional<QString> &focus, const QSet<QString> &ids)
{
    m_keepingSelection = true;
    assignSelectedID(focus);
    m_keepingSelection = false;
    assignSelectedIDs(ids);
}

void StripModel::selectFirst()
{
    const QList<ClipItem> list = filtered();
    const std::optional<QString> first =
        list.isEmpty() ? std::nullopt : std::optional(list.first().id);
    m_anchorID = first;
    assignSelectedID(first);
}

void StripModel::selectOnly(const QString &id)
{
    m_anchorID = id;
    assignSelectedID(id);
}

void StripModel::move(int step, bool extending)
{
    const QList<ClipItem> list = filtered();
    if (list.isEmpty())
        return;
    const qsizetype current =
        m_selectedID ? std::max<qsizetype>(0, indexInFiltered(*m_selectedID)) : 0;
    const qsizetype target = std::clamp<qsizetype>(current + step, 0, list.size() - 1);
    const QString id = list.at(target).id;
    if (extending)
        extendSelection(id);
    else
        selectOnly(id);
}

void StripModel::extendSelection(const QString &to)
{
    const QList<ClipItem> list = filtered();
    const std::optional<QString> anchor = m_anchorID ? m_anchorID : m_selectedID;
    const qsizetype from = anchor ? indexInFiltered(*anchor) : -1;
    const qsizetype till = indexInFiltered(to);
    if (list.isEmpty() || from < 0 || till < 0) {
        selectOnly(to);
        return;
    }
    QSet<QString> range;
    for (qsizetype i = std::min(from, till); i <= std::max(from, till); ++i)
        range.insert(list.at(i).id);
    // The anchor stays, so further steps grow or shrink the range around it.
    writeMultiSelection(to, range);
}

void StripModel::toggleSelection(const QString &id)
{
    QSet<QString> ids = m_selectedIDs;
    if (!ids.contains(id) || ids.size() < 2) {
        ids.insert(id);
        m_anchorID = id;
        writeMultiSelection(id, ids);
        return;
    }
    ids.remove(id);
    std::optional<QString> focus;
    const QList<ClipItem> list = filtered();
    for (const ClipItem &item : std::as_const(list)) {
        if (ids.contains(item.id)) {
            focus = item.id;
            break;
        }
    }
    writeMultiSelection(focus, ids);
}

void StripModel::selectAll()
{
    const QList<ClipItem> list = filtered();
    if (list.isEmpty())
        return;
    m_anchorID = list.first().id;
    const QString focus = m_selectedID.value_or(list.first().id);
    QSet<QString> all;
    all.reserve(list.size());
    for (const ClipItem &item : list)
        all.insert(item.id);
    writeMultiSelection(focus, all);
}

void StripModel::applyMarquee(const QSet<QString> &ids, const std::optional<QString> &focus)
{
    m_anchorID = focus;
    if (ids == m_selectedIDs && focus == m_selectedID)
        return;
    writeMultiSelection(focus, ids);
}

void StripModel::collapseSelection()
{
    if (m_selectedID)
        selectOnly(*m_selectedID);
}
