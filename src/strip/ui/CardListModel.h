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
    // False for the rest of the event loop's turn in which the visible list changed: what
    // follows from a new result (a card taking the focus) is shown at once, not animated.
    Q_PROPERTY(bool animates READ animates NOTIFY animatesChanged)

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
    bool animates() const { return m_animates; }
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
    void animatesChanged();
    // The focus moved to another card (not merely to another row): the view scrolls to it,
    // sliding there when `animated`.
    void focusMoved(int row, bool animated);

private:
    void sync();
    // Rows leave, arrive and move one run at a time until the rows are `next`; `wanted` holds
    // its ids. Many moves end in a reset instead.
    void editInto(const QList<ClipItem> &next, const QSet<QString> &wanted);
    // The runs of rows leaving and arriving on the way to `next`, counted up to past `limit`.
    int runsTo(const QList<ClipItem> &next, const QSet<QString> &wanted, int limit) const;
    void beginListChange();
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
    bool m_animates = true;
    double m_now = 0;
    mutable QHash<QString, int> m_rows;
    mutable bool m_rowsValid = false;
    mutable QHash<QString, CardFace> m_faces;
};
