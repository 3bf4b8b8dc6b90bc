#pragma once
// The applications of the privacy pane: the ignored ones (name when installed, else the id
// alone) and the chooser of installed ones (searchable, several checked at once).

#include <QAbstractListModel>
#include <QSet>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

#include "platform/InstalledApps.h"

class SettingsModel;

class IgnoredAppsModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the settings controller and handed to the views.")

public:
    enum Role { AppIDRole = Qt::UserRole + 1, NameRole, InstalledRole };
    Q_ENUM(Role)

    IgnoredAppsModel(SettingsModel &settings, InstalledApps &apps, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    void reload();

    struct Row
    {
        QString id;
        std::optional<QString> name; // none when not installed
    };
    SettingsModel &m_settings;
    InstalledApps &m_apps;
    QList<Row> m_rows;
};

class AppChooserModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the settings controller and handed to the views.")
    Q_PROPERTY(QString filter READ filter WRITE setFilter NOTIFY filterChanged)
    Q_PROPERTY(int checkedCount READ checkedCount NOTIFY checkedChanged)

public:
    enum Role { AppIDRole = Qt::UserRole + 1, NameRole, CheckedRole };
    Q_ENUM(Role)

    AppChooserModel(SettingsModel &settings, InstalledApps &apps, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    QString filter() const { return m_filter; }
    // Shows the applications whose name or id contains the text (any case, accents ignored).
    void setFilter(const QString &filter);
    int checkedCount() const { return int(m_checked.size()); }

    // Lists the installed applications afresh, none checked, no filter.
    Q_INVOKABLE void reload();
    Q_INVOKABLE void toggle(int row);
    // Ignores the checked applications, in list order.
    Q_INVOKABLE void ignoreChecked();

Q_SIGNALS:
    void filterChanged();
    void checkedChanged();

private:
    void refilter();

    SettingsModel &m_settings;
    InstalledApps &m_apps;
    QList<InstalledApp> m_all;
    QList<int> m_shown; // indexes into m_all
    QSet<QString> m_checked;
    QString m_filter;
};
