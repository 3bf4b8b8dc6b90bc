pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls
import Varu.Strip

// The menu of a right click on a card, built afresh for each opening from the entries the card
// interaction gives: the single or the group menu, with the "Fixar em" submenu of tabs. Looks
// and keeps the keys like the tab chips' menu.
StripMenu {
    id: cardMenu
    required property CardInteraction interaction

    property var made: []  // the submenus of the last opening, destroyed on the next

    margins: 8
    delegate: CardMenuItem {}  // the entry that opens a submenu

    function openFor(cardID: string) {
        const entries = cardMenu.interaction.openMenu(cardID)
        if (entries.length === 0)
            return
        cardMenu.clear()
        cardMenu.fill(cardMenu, entries)
        cardMenu.popup()
    }

    function clear() {
        while (cardMenu.count > 0)
            cardMenu.removeItem(cardMenu.itemAt(0)) // destroys the entry
        for (const object of cardMenu.made)
            object.destroy()
        cardMenu.made = []
    }

    function fill(target, entries) {
        const stateColumn = entries.some(e => e.pin !== undefined)
        for (const entry of entries) {
            if (entry.kind === CardMenuEntry.Separator) {
                target.addItem(separator.createObject(null))
            } else if (entry.kind === CardMenuEntry.Submenu) {
                const sub = submenu.createObject(null, {title: entry.text})
                cardMenu.made.push(sub)
                cardMenu.fill(sub, entry.children)
                target.addMenu(sub)
            } else {
                target.addItem(action.createObject(null, {
                    text: entry.text,
                    command: entry.command,
                    tabID: entry.tabID,
                    heading: entry.kind === CardMenuEntry.Title,
                    enabled: entry.kind !== CardMenuEntry.Title,
                    stateColumn: stateColumn,
                    mark: entry.pin !== undefined ? entry.pin : PinState.Off,
                    dotColor: entry.color !== "" ? cardMenu.chrome.color(entry.color) : undefined
                }))
            }
        }
        target.width = Qt.binding(() => cardMenu.widest(target))
    }

    // As wide as the widest entry, and never narrower than the tab chips' menu.
    function widest(target) {
        let width = 180
        for (let i = 0; i < target.count; ++i) {
            const entry = target.itemAt(i)  // none while the entries are being replaced
            if (entry)
                width = Math.max(width, entry.implicitWidth + target.leftPadding
                                 + target.rightPadding)
        }
        return width
    }

    Component {
        id: action
        CardMenuItem {
            id: entry
            onTriggered: cardMenu.interaction.run(entry.command, entry.tabID)
        }
    }
    Component {
        id: separator
        MenuSeparator {
            topPadding: 4
            bottomPadding: 4
            leftPadding: 8
            rightPadding: 8
            contentItem: Rectangle {
                implicitHeight: 1
                color: Qt.rgba(1, 1, 1, 0.12)
            }
        }
    }
    Component {
        id: submenu
        StripMenu {
            margins: 8
            delegate: CardMenuItem {}
        }
    }
}
