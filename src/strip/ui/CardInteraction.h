#pragma once
// The mouse on the strip's cards: what a press, a release and a double click do to the
// selection, and the context menu of a right click with the commands its entries run.

#include "strip/model/CardMenu.h"

#include <QObject>
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

public:
    CardInteraction(StripModel &model, Workspace *workspace, QObject *parent = nullptr);

    // Mouse down on a card; `modifiers` are Qt::KeyboardModifiers, `doubleClick` marks the
    // second press of a double click. Ctrl (or Super) toggles, Shift extends, a double click
    // pastes the card alone; a plain press on one of several selected cards waits for the
    // release, so that a drag can still take them all.
    Q_INVOKABLE void press(const QString &id, int modifiers, bool doubleClick);
    Q_INVOKABLE void release(const QString &id);
    // The gesture was taken over (the row scrolled it away): nothing happens on release.
    Q_INVOKABLE void cancel();

    // A right click: selects the card unless it is already selected, then gives the menu for
    // the selection as {kind, text, command, tabID, color, pin, children} maps, kind a
    // CardMenuEntry::Kind and pin (on the pin submenu's tabs only) a PinState. Empty when the
    // card is not shown.
    Q_INVOKABLE QVariantList openMenu(const QString &id);
    // Runs the command of a chosen entry on the cards of the last menu opened.
    Q_INVOKABLE void run(int command, const QString &tabID = QString());
    const CardMenu &menu() const { return m_menu; }

private:
    StripModel &m_model;
    Workspace *m_workspace;
    std::optional<QString> m_pressed;
    bool m_collapseOnRelease = false;
    CardMenu m_menu;
};
