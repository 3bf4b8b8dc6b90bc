#include "CardListModel.h"

#include "strip/cards/HexColor.h"
#include "strip/model/StripModel.h"

namespace {
// More moves than this and one reset is cheaper than moving rows one by one.
constexpr int kMaxMoves = 64;
// Selection changes touching more rows than this redraw the whole row set at once.
constexpr int kMaxSelectionSignals = 64;
// More runs of rows arriving or leaving than this, and only the head is told row by row.
constexpr int kMaxRuns = 24;
// Rows edited one by one when the rest is replaced at once: more than the widest screen shows,
// with the cards the view builds ahead on either side.
constexpr qsizetype kHeadRows = 48;
} // namespace

CardListModel::CardListModel(StripModel &model, const CardPresenter &presenter, QObject *parent)
    : QAbstractListModel(parent)
    , m_model(model)
    , m_presenter(presenter)
{
    m_items = m_model.filtered();
    m_selected = m_model.selectedIDs();
    m_tabs = m_model.tabs();
    updateSelectedRow();
    connect(&m_model, &StripModel::filteredChanged, this, &CardListModel::sync);
    connect(&m_model, &StripModel::selectedIDsChanged, this, &CardListModel::syncSelection);
    connect(&m_model, &StripModel::selectedIDChanged, this, &CardListModel::focusChanged);
    // Every reload announces the tabs; the pins change only when the tabs really did.
    connect(&m_model, &StripModel::tabsChanged, this, [this] {
        if (m_model.tabs() != m_tabs) {
            m_tabs = m_model.tabs();
            updatePins();
        }
    });
    connect(&m_model, &StripModel::tabChanged, this, &CardListModel::updatePins);
}

int CardListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

QHash<int, QByteArray> CardListModel::roleNames() const
{
    return {
        {IdRole, "cardID"},
        {KindRole, "kind"},
        {SelectedRole, "selected"},
        {ShowsPinRole, "showsPin"},
        {PinColorRole, "pinColor"},
        {HeaderTitleRole, "headerTitle"},
        {HeaderSourceRole, "headerSource"},
        {TimeLineRole, "timeLine"},
        {BodyRole, "body"},
        {LinkHostRole, "linkHost"},
        {ThumbSourceRole, "thumbSource"},
        {FilesRole, "files"},
        {MoreLabelRole, "moreLabel"},
        {SwatchRole, "swatch"},
        {FooterRole, "footer"},
        {FileNameRole, "fileName"},
    };
}

QVariant CardListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_items.size())
        return {};
    const ClipItem &item = m_items.at(index.row());
    switch (role) {
    case IdRole:
        return item.id;
    case KindRole:
        return ClipKinds::rawName(item.kind);
    case SelectedRole:
        return m_selected.contains(item.id);
    case ShowsPinRole:
        return showsPin(item);
    case PinColorRole:
        return pinColor(item);
    case TimeLineRole:
        return m_presenter.timeLine(item, m_now);
    default:
        break;
    }
    const CardFace &f = face(item);
    switch (role) {
    case HeaderTitleRole:
        return f.headerTitle;
    case HeaderSourceRole:
        return f.headerSource;
    case BodyRole:
        return f.body;
    case LinkHostRole:
        return f.linkHost;
    case ThumbSourceRole:
        return f.thumbSource;
    case FilesRole:
        return f.files;
    case MoreLabelRole:
        return f.moreLabel;
    case SwatchRole:
        return f.swatch;
    case FooterRole:
        return f.footer;
    case FileNameRole:
        return f.fileName;
    default:
        return {};
    }
}

const CardFace &CardListModel::face(const ClipItem &item) const
{
    auto it = m_faces.find(item.id);
    if (it == m_faces.end())
        it = m_faces.insert(item.id, m_presenter.face(item));
    return *it;
}

bool CardListModel::showsPin(const ClipItem &item) const
{
    return m_model.tab().isHistory() && !item.tabIDs.isEmpty();
}

QVariant CardListModel::pinColor(const ClipItem &item) const
{
    if (!showsPin(item))
        return {};
    for (const QString &id : item.tabIDs) {
        if (const std::optional<UserTab> b = m_model.userTab(id)) {
            if (const auto color = HexColor::parse(b->color))
                return *color;
            return {};
        }
    }
    return {};
}

void CardListModel::rebuildRows() const
{
    if (m_rowsValid)
        return;
    m_rows.clear();
    m_rows.reserve(m_items.size());
    for (qsizetype i = 0; i < m_items.size(); ++i)
        m_rows.insert(m_items.at(i).id, int(i));
    m_rowsValid = true;
}

int CardListModel::rowOf(const QString &id) const
{
    rebuildRows();
    return m_rows.value(id, -1);
}

const ClipItem *CardListModel::item(const QString &id) const
{
    const int row = rowOf(id);
    return row < 0 ? nullptr : &m_items.at(row);
}

bool CardListModel::sameFace(const ClipItem &a, const ClipItem &b)
{
    const auto bytes = [](const ClipItem &c) { return c.thumbnailSize().value_or(-1); };
    return a == b && a.kind == b.kind && a.totalBytes == b.totalBytes &&
           a.sourceAppID == b.sourceAppID && bytes(a) == bytes(b);
}

void CardListModel::resetTo(const QList<ClipItem> &items)
{
    beginResetModel();
    m_items = items;
    m_faces.clear();
    m_rowsValid = false;
    endResetModel();
}

int CardListModel::runsTo(const QList<ClipItem> &next, const QSet<QString> &wanted,
                          int limit) const
{
    // Rows leave in runs of rows the new list lacks, and arrive in runs of cards the old
    // list lacks.
    int runs = 0;
    bool inRun = false;
    for (const ClipItem &item : m_items) {
        const bool leaves = !wanted.contains(item.id);
        runs += leaves && !inRun;
        inRun = leaves;
        if (runs > limit)
            return runs;
    }
    QSet<QString> have;
    have.reserve(m_items.size());
    for (const ClipItem &item : m_items)
        have.insert(item.id);
    inRun = false;
    for (const ClipItem &item : next) {
        const bool arrives = !have.contains(item.id);
        runs += arrives && !inRun;
        inRun = arrives;
        if (runs > limit)
            return runs;
    }
    return runs;
}

void CardListModel::sync()
{
    const QList<ClipItem> next = m_model.filtered();
    const int before = count();
    beginListChange();

    QSet<QString> wanted;
    wanted.reserve(next.size());
    for (const ClipItem &item : next)
        wanted.insert(item.id);

    if (runsTo(next, wanted, kMaxRuns) <= kMaxRuns) {
        editInto(next, wanted);
    } else {
        // A search or a filter changes rows all along the list, and the view then shows its
        // start. Told row by row, the view would redo its bookkeeping thousands of times;
        // told at once (a reset) it would build every card on screen again. So the head is
        // edited row by row, keeping the cards on screen that stay, and the rest is replaced
        // in one removal and one insertion.
        const qsizetype head = std::min<qsizetype>(kHeadRows, next.size());
        if (m_items.size() > head) {
            beginRemoveRows({}, int(head), int(m_items.size() - 1));
            for (qsizetype k = head; k < m_items.size(); ++k)
                m_faces.remove(m_items.at(k).id);
            m_items.resize(head);
            m_rowsValid = false;
            endRemoveRows();
        }
        const QList<ClipItem> first = next.first(head);
        QSet<QString> wantedFirst;
        for (const ClipItem &item : first)
            wantedFirst.insert(item.id);
        editInto(first, wantedFirst);
        if (next.size() > head && m_items.size() == head) {
            beginInsertRows({}, int(head), int(next.size() - 1));
            m_items = next; // the head already equals it
            m_rowsValid = false;
            endInsertRows();
        }
    }
    Q_ASSERT(m_items.size() == next.size());

    if (count() != before)
        Q_EMIT countChanged();
    updateSelectedRow();
}

void CardListModel::editInto(const QList<ClipItem> &next, const QSet<QString> &wanted)
{
    int moved = 0;
    // Cards that left the list, in runs from the end so the rows ahead keep their numbers.
    for (qsizetype i = m_items.size() - 1; i >= 0;) {
        if (wanted.contains(m_items.at(i).id)) {
            --i;
            continue;
        }
        const qsizetype last = i;
        while (i >= 0 && !wanted.contains(m_items.at(i).id))
            --i;
        const qsizetype first = i + 1;
        beginRemoveRows({}, int(first), int(last));
        for (qsizetype k = first; k <= last; ++k)
            m_faces.remove(m_items.at(k).id);
        m_items.remove(first, last - first + 1);
        m_rowsValid = false;
        endRemoveRows();
    }

    // What is left is in the new list; walk it into the new order.
    QSet<QString> have;
    have.reserve(m_items.size());
    for (const ClipItem &item : std::as_const(m_items))
        have.insert(item.id);
    for (qsizetype i = 0; i < next.size();) {
        const ClipItem &want = next.at(i);
        if (!have.contains(want.id)) {
            qsizetype j = i;
            while (j < next.size() && !have.contains(next.at(j).id))
                ++j;
            beginInsertRows({}, int(i), int(j - 1));
            m_items.insert(i, j - i, ClipItem());
            for (qsizetype k = i; k < j; ++k)
                m_items[k] = next.at(k);
            m_rowsValid = false;
            endInsertRows();
            i = j;
            continue;
        }
        if (m_items.at(i).id != want.id) {
            if (++moved > kMaxMoves) {
                resetTo(next);
                return;
            }
            qsizetype from = i + 1;
            while (m_items.at(from).id != want.id)
                ++from;
            beginMoveRows({}, int(from), int(from), {}, int(i));
            m_items.move(from, i);
            m_rowsValid = false;
            endMoveRows();
        }
        const bool changed = !sameFace(m_items.at(i), want);
        m_items[i] = want; // the newest record, even when it looks the same
        if (changed) {
            m_faces.remove(want.id);
            const QModelIndex at = index(int(i));
            Q_EMIT dataChanged(at, at);
        }
        ++i;
    }
}

void CardListModel::beginListChange()
{
    // Whatever follows from a new list in this turn of the event loop (the focus on its first
    // card, the scroll to it) jumps there: the new result is not to wait for an animation.
    if (!m_animates)
        return;
    m_animates = false;
    Q_EMIT animatesChanged();
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_animates = true;
            Q_EMIT animatesChanged();
        },
        Qt::QueuedConnection);
}

void CardListModel::syncSelection()
{
    const QSet<QString> now = m_model.selectedIDs();
    QSet<QString> touched = now;
    touched.unite(m_selected);
    touched.subtract(QSet<QString>(now).intersect(m_selected));
    m_selected = now;
    if (touched.isEmpty() || m_items.isEmpty())
        return;
    if (touched.size() > kMaxSelectionSignals) {
        Q_EMIT dataChanged(index(0), index(count() - 1), {SelectedRole});
        return;
    }
    for (const QString &id : std::as_const(touched)) {
        const int row = rowOf(id);
        if (row >= 0)
            Q_EMIT dataChanged(index(row), index(row), {SelectedRole});
    }
}

void CardListModel::updateSelectedRow()
{
    const std::optional<QString> id = m_model.selectedID();
    const int row = id ? rowOf(*id) : -1;
    if (row == m_selectedRow)
        return;
    m_selectedRow = row;
    Q_EMIT selectedRowChanged();
}

void CardListModel::focusChanged()
{
    updateSelectedRow();
    if (m_selectedRow >= 0)
        Q_EMIT focusMoved(m_selectedRow, m_animates);
}

void CardListModel::updatePins()
{
    if (!m_items.isEmpty())
        Q_EMIT dataChanged(index(0), index(count() - 1), {ShowsPinRole, PinColorRole});
}

void CardListModel::setNow(double now)
{
    m_now = now;
    if (!m_items.isEmpty())
        Q_EMIT dataChanged(index(0), index(count() - 1), {TimeLineRole});
}

void CardListModel::refreshFaces(double now)
{
    m_now = now;
    m_faces.clear();
    if (!m_items.isEmpty())
        Q_EMIT dataChanged(index(0), index(count() - 1));
}
