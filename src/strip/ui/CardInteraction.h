#pragma once
// The mouse on the strip's cards: what a press, a release and a double click do to the
// selection, when a press that moves becomes a rubber band or a drag of cards, and the context
// menu of a right click with the commands its entries run.

#include "CardDrag.h"
#include "Marquee.h"
#include "strip/model/CardMenu.h"

#include <QObject>
#include <QQuickItem>
#include <QString>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include <optional>

class StripModel;
class Workspace;

// One per strip: a single pointer makes one gesture at a time. Main thread only.
class CardInteraction : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the strip's controller and handed to the views.")
    Q_PROPERTY(Marquee *marquee READ marquee CONSTANT)
    Q_PROPERTY(CardDrag *drag READ drag CONSTANT)
    // How long a second click may follow the first, as the desktop sets it.
    Q_PROPERTY(int doubleClickInterval READ doubleClickInterval CONSTANT)

public:
    CardInteraction(StripModel &model, Workspace *workspace, QObject *parent = nullptr);

    // What a pressed pointer that moves is doing.
    enum Gesture { Undecided, Band, Drag };
    Q_ENUM(Gesture)
    // Farther than this from the press, a move decides the gesture: mostly sideways
    // (|dx| > 1.3 |dy|) it draws a band, otherwise it drags the cards.
    static constexpr qreal kDragDistance = 4;
    static constexpr qreal kSidewaysRatio = 1.3;
    static Gesture classify(qreal dx, qreal dy);

    // Mouse down on a card; `modifiers` are Qt::KeyboardModifiers, `doubleClick` marks the
    // second press of a double click. Ctrl (or Super) toggles, Shift extends, a double click
    // pastes the card alone; a plain press on one of several selected cards waits for the
    // release, so that a drag can still take them all.
    Q_INVOKABLE void press(const QString &id, int modifiers, bool doubleClick);
    Q_INVOKABLE void release(const QString &id);
    // The gesture was taken over (the row scrolled it away): nothing happens on release.
    Q_INVOKABLE void cancel();
    // The pointer held on a card moved by (dx, dy) since the press. Once it is a band or a
    // drag, a click no longer collapses the selection; a drag selects the card if it was not.
    Q_INVOKABLE int follow(qreal dx, qreal dy);
    // The cards a drag takes: the pressed one first, then the other selected cards in the
    // row's order when it is one of them. Empty without a pressed card.
    QList<ClipItem> draggedCards() const;
    // Drags the pressed card (and the selection it belongs to) out of `source`; returns when
    // the drag is over.
    Q_INVOKABLE void startDrag(QQuickItem *source);
    // True while the pointer is changing the selection, which the row then leaves in place:
    // a second click must land on the card the first one hit.
    Q_INVOKABLE bool pointerSelecting() const { return m_pointerSelecting || m_marquee.active(); }

    // A right click: selects the card unless it is already selected, then gives the menu for
    // the selection as {kind, text, command, tabID, color, pin, children} maps, kind a
    // CardMenuEntry::Kind and pin (on the pin submenu's tabs only) a PinState. Empty when the
    // card is not shown.
    Q_INVOKABLE QVariantList openMenu(const QString &id);
    // Runs the command of a chosen entry on the cards of the last menu opened.
    Q_INVOKABLE void run(int command, const QString &tabID = QString());
    const CardMenu &menu() const { return m_menu; }
    Marquee *marquee() { return &m_marquee; }
    CardDrag *drag() { return &m_drag; }
    static int doubleClickInterval();

private:
    StripModel &m_model;
    Workspace *m_workspace;
    std::optional<QString> m_pressed;
    bool m_collapseOnRelease = false;
    bool m_pointerSelecting = false;
    CardMenu m_menu;
    Marquee m_marquee;
    CardDrag m_drag;
};
