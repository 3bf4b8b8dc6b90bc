import QtQuick
import QtQuick.Controls
import Varu.Strip

// The menu of a right click on a card, built afresh for each opening from the entries the card
// interaction gives: the single or the group menu, with the "Fixar em" submenu of tabs. Looks
// and keeps the keys like the tab chips' menu.
StripMenu {
    id: cardMenu
    required property var interaction  // CardInteraction

    property var made: []  // the submenus of the last opening, destroyed on the next

    margins: 8
    delegate: CardMenuItem {}  // the entry that opens a submenu

    function openFor(cardID) {
        const entries = interaction.openMenu(cardID)
        if (entries.length === 0)
            return
        clear()
        fill(cardMenu, entries)
        popup()
    }

    function clear() {
        while (count > 0)
            removeItem(itemAt(0)) // destroys the entry
        for (const object of made)
            object.destroy()
        made = []
    }

    function fill(target, entries) {
        const stateColumn = entries.some(e => e.pin !== "")
        for (const entry of entries) {
            if (entry.kind === "separator") {
                target.addItem(separator.createObject(null))
            } else if (entry.kind === "submenu") {
                const sub = submenu.createObject(null, {title: entry.text})
                made.push(sub)
                fill(sub, entry.children)
                target.addMenu(sub)
            } else {
                target.addItem(action.createObject(null, {
                    text: entry.text,
                    command: entry.command,
                    tabID: entry.tabID,
                    heading: entry.kind === "title",
                    enabled: entry.kind !== "title",
                    stateColumn: stateColumn,
                    mark: entry.pin,
                    dotColor: entry.color !== "" ? cardMenu.chrome.color(entry.color) : undefined
                }))
            }
        }
        target.width = Qt.binding(() => widest(target))
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
            onTriggered: cardMenu.interaction.run(command, tabID)
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
