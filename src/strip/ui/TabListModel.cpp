#include "TabListModel.h"

#include "strip/cards/HexColor.h"
#include "strip/model/StripModel.h"

TabListModel::TabListModel(StripModel &model, QObject *parent)
    : QAbstractListModel(parent)
    , m_model(model)
{
    for (const UserTab &b : m_model.tabs())
        m_ids.append(b.id);
    connect(&m_model, &StripModel::tabsChanged, this, &TabListModel::reload);
    connect(&m_model, &StripModel::historyChanged, this, [this] { refresh({CountRole}); });
    connect(&m_model, &StripModel::tabItemsChanged, this, [this] { refresh({CountRole}); });
    connect(&m_model, &StripModel::tabChanged, this, [this] { refresh({SelectedRole}); });
    connect(&m_model, &StripModel::dropTargetChanged, this, [this] { refresh({DropTargetRole}); });
}

QColor TabListModel::accent()
{
    return QColor(0x35, 0x84, 0xE4);
}

int TabListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_ids.size()) + 1;
}

QHash<int, QByteArray> TabListModel::roleNames() const
{
    return {{TabIDRole, "tabID"},       {IsHistoryRole, "isHistory"},  {TitleRole, "title"},
            {SymbolRole, "symbol"},     {ChipColorRole, "chipColor"},  {CountRole, "count"},
            {SelectedRole, "selected"}, {DropTargetRole, "dropTarget"}};
}

QVariant TabListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() > m_ids.size())
        return {};
    const bool history = index.row() == 0;
    const QString id = history ? QString() : m_ids.at(index.row() - 1);
    const Tab tab = history ? Tab::history() : Tab::userTab(id);
    switch (role) {
    case TabIDRole:
        return id;
    case IsHistoryRole:
        return history;
    case TitleRole:
        return history ? u"Histórico"_qs : m_model.userTab(id).value_or(UserTab{}).name;
    case SymbolRole:
        return history ? u"clock"_qs : QString();
    case ChipColorRole:
        return history ? accent()
                       : HexColor::parseOrGray(m_model.userTab(id).value_or(UserTab{}).color);
    case CountRole:
        return m_model.count(tab);
    case SelectedRole:
        return m_model.tab() == tab;
    case DropTargetRole:
        return m_model.dropTarget() == tab;
    default:
        return {};
    }
}

void TabListModel::reload()
{
    QStringList ids;
    for (const UserTab &b : m_model.tabs())
        ids.append(b.id);
    if (ids == m_ids) {
        refresh({TitleRole, ChipColorRole, CountRole});
        return;
    }
    // A handful of chips: rebuilding them is cheaper than working out the moves.
    beginResetModel();
    m_ids = ids;
    endResetModel();
}

void TabListModel::refresh(QList<int> roles)
{
    Q_EMIT dataChanged(index(0), index(rowCount() - 1), roles);
}
