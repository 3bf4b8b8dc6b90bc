#pragma once
// The strip's card row as a list model over StripModel's visible cards, changed by row inserts,
// removals and moves so the view keeps its position and the delegates of unchanged cards.

#include "strip/cards/CardFace.h"
#include "core/UserTab.h"
#include "core/ClipItem.h"

#include <QAbstractListModel>
#include <QHash>
#include <QList>
#include <QSet>
#include <QtQml/qqmlregistration.h>

class StripModel;

// Only a thorough reshuffle resets. Card faces are worked out on first use and kept until the
// card changes or the strip is shown again.
class CardListModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the strip's controller and handed to the views.")
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    // Row of the focused card, -1 when it is not visible.
    Q_PROPERTY(int selectedRow READ selectedRow NOTIFY selectedRowChanged)

public:
    enum Role {
        IdRole = Qt::UserRole + 1,
        KindRole,
        SelectedRole,
        ShowsPinRole,
        PinColorRole,
        HeaderTitleRole,
        HeaderSourceRole,
        TimeLineRole,
        BodyRole,
        LinkHostRole,
        ThumbSourceRole,
        FilesRole,
        MoreLabelRole,
        SwatchRole,
        FooterRole,
        FileNameRole,
    };
    Q_ENUM(Role)

    CardListModel(StripModel &model, const CardPresenter &presenter, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return int(m_items.size()); }
    int selectedRow() const { return m_selectedRow; }
    int rowOf(const QString &id) const;
    // The card with that id among the visible ones.
    const ClipItem *item(const QString &id) const;

    // The time the relative times are measured against (seconds since 1970).
    void setNow(double now);
    // Forgets every face, so file facts (sizes, deleted files) are read again, and measures
    // relative times against `now`.
    void refreshFaces(double now);

Q_SIGNALS:
    void countChanged();
    void selectedRowChanged();
    // The focus moved to another card (not merely to another row): the view scrolls to it.
    void focusMoved(int row);

private:
    void sync();
    void syncSelection();
    void updatePins();
    void updateSelectedRow();
    void focusChanged();
    // Differences that redraw a card: what equality compares, and what else the face shows.
    static bool sameFace(const ClipItem &a, const ClipItem &b);
    const CardFace &face(const ClipItem &item) const;
    bool showsPin(const ClipItem &item) const;
    QVariant pinColor(const ClipItem &item) const;
    void rebuildRows() const;
    void resetTo(const QList<ClipItem> &items);

    StripModel &m_model;
    const CardPresenter &m_presenter;
    QList<ClipItem> m_items;
    QSet<QString> m_selected;
    QList<UserTab> m_tabs; // as the pins were last drawn
    int m_selectedRow = -1;
    double m_now = 0;
    mutable QHash<QString, int> m_rows;
    mutable bool m_rowsValid = false;
    mutable QHash<QString, CardFace> m_faces;
};
