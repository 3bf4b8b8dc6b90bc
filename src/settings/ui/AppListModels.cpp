#include "AppListModels.h"

#include "settings/SettingsModel.h"

namespace {

// Lower case without accents, so "cafe" finds "Café".
QString folded(const QString &text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            out += c.toLower();
    }
    return out;
}

} // namespace

IgnoredAppsModel::IgnoredAppsModel(SettingsModel &settings, InstalledApps &apps, QObject *parent)
    : QAbstractListModel(parent)
    , m_settings(settings)
    , m_apps(apps)
{
    connect(&settings, &SettingsModel::configChanged, this, &IgnoredAppsModel::reload);
    reload();
}

void IgnoredAppsModel::reload()
{
    // Every setting notifies; only a new list is worth reading desktop entries again.
    const QStringList ids = m_settings.ignoredApps();
    QStringList shown;
    for (const Row &row : std::as_const(m_rows))
        shown << row.id;
    if (shown == ids)
        return;
    QList<Row> rows;
    for (const QString &id : ids)
        rows << Row{id, m_apps.name(id)};
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

int IgnoredAppsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant IgnoredAppsModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const Row &row = m_rows.at(index.row());
    switch (role) {
    case AppIDRole:
        return row.id;
    case NameRole:
        return row.name.value_or(row.id);
    case InstalledRole:
        return row.name.has_value();
    default:
        return {};
    }
}

QHash<int, QByteArray> IgnoredAppsModel::roleNames() const
{
    return {{AppIDRole, "appID"}, {NameRole, "name"}, {InstalledRole, "installed"}};
}

AppChooserModel::AppChooserModel(SettingsModel &settings, InstalledApps &apps, QObject *parent)
    : QAbstractListModel(parent)
    , m_settings(settings)
    , m_apps(apps)
{}

void AppChooserModel::reload()
{
    m_all = m_apps.list();
    m_checked.clear();
    m_filter.clear();
    refilter();
    Q_EMIT filterChanged();
    Q_EMIT checkedChanged();
}

void AppChooserModel::setFilter(const QString &filter)
{
    if (filter == m_filter)
        return;
    m_filter = filter;
    refilter();
    Q_EMIT filterChanged();
}

void AppChooserModel::refilter()
{
    const QString wanted = folded(m_filter.trimmed());
    QList<int> shown;
    for (int i = 0; i < m_all.size(); ++i) {
        if (wanted.isEmpty() || folded(m_all[i].name).contains(wanted) ||
            folded(m_all[i].id).contains(wanted))
            shown << i;
    }
    beginResetModel();
    m_shown = shown;
    endResetModel();
}

int AppChooserModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

QVariant AppChooserModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const InstalledApp &app = m_all.at(m_shown.at(index.row()));
    switch (role) {
    case AppIDRole:
        return app.id;
    case NameRole:
        return app.name;
    case CheckedRole:
        return m_checked.contains(app.id);
    default:
        return {};
    }
}

QHash<int, QByteArray> AppChooserModel::roleNames() const
{
    return {{AppIDRole, "appID"}, {NameRole, "name"}, {CheckedRole, "chosen"}};
}

void AppChooserModel::toggle(int row)
{
    if (row < 0 || row >= m_shown.size())
        return;
    const QString id = m_all.at(m_shown.at(row)).id;
    if (!m_checked.remove(id))
        m_checked.insert(id);
    const QModelIndex i = index(row);
    Q_EMIT dataChanged(i, i, {CheckedRole});
    Q_EMIT checkedChanged();
}

void AppChooserModel::ignoreChecked()
{
    QStringList ids;
    for (const InstalledApp &app : std::as_const(m_all)) {
        if (m_checked.contains(app.id))
            ids << app.id;
    }
    m_settings.addIgnoredApps(ids);
    m_checked.clear();
    Q_EMIT checkedChanged();
}
