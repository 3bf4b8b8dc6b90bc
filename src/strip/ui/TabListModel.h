#pragma once
// The tab bar's chips as a list model: the history, then one chip per tab, each with its title,
// colour, card count (before any search or filter) and whether it is open or under a drag.

#include <QAbstractListModel>
#include <QColor>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

class StripModel;

class TabListModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the strip's controller and handed to the views.")

public:
    enum Role {
        TabIDRole = Qt::UserRole + 1, // empty for the history
        IsHistoryRole,
        TitleRole,
        SymbolRole, // "clock" for the history, empty for tabs (they show a dot)
        ChipColorRole,
        CountRole,
        SelectedRole,
        DropTargetRole,
    };
    Q_ENUM(Role)

    explicit TabListModel(StripModel &model, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // The history chip's colour.
    static QColor accent();

private:
    void reload();
    void refresh(QList<int> roles);

    StripModel &m_model;
    QStringList m_ids; // tab ids, in bar order
};
