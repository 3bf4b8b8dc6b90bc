import QtQuick
import Varu.Strip

// One chip of the tab bar: a dot in the tab's colour (or the history's clock), its name and
// how many cards it holds. Clicking opens the tab; a tab's chip opens its editor on a double
// click and offers a menu on a right click. Cards dragged from the strip onto a tab's chip
// are pinned to that tab.
Item {
    id: chip
    required property StripModel strip
    required property StripChrome chrome
    required property CardDrag cardDrag
    required property string tabID
    required property bool isHistory
    required property string title
    required property string symbol
    required property color chipColor
    required property int count
    required property bool selected
    required property bool dropTarget

    width: row.implicitWidth + 24
    height: 30
    scale: dropTarget ? 1.08 : 1.0
    Behavior on scale { NumberAnimation { duration: 200; easing.type: Easing.OutCubic } }

    Glass {
        anchors.fill: parent
        radius: height / 2
        hovered: area.containsMouse
        tint: chip.selected ? Theme.withAlpha(chip.chipColor, 0.45)
                            : chip.dropTarget ? Theme.withAlpha(chip.chipColor, 0.30)
                                              : "transparent"
    }

    Row {
        id: row
        x: 12
        anchors.verticalCenter: parent.verticalCenter
        spacing: 6

        Symbol {
            visible: chip.symbol !== ""
            anchors.verticalCenter: parent.verticalCenter
            name: chip.symbol
            size: 12
            tint: Theme.primary
        }
        Rectangle {
            visible: chip.symbol === ""
            anchors.verticalCenter: parent.verticalCenter
            width: 8
            height: 8
            radius: 4
            color: chip.chipColor
        }
        Text {
            font.family: Theme.fontFamily
            anchors.verticalCenter: parent.verticalCenter
            text: chip.title
            color: Theme.primary
            font.pixelSize: 13
            font.weight: chip.selected ? Font.DemiBold : Font.Medium
            elide: Text.ElideRight
            width: Math.min(implicitWidth, 180)
            textFormat: Text.PlainText
        }
        Text {
            font.family: Theme.fontFamily
            anchors.verticalCenter: parent.verticalCenter
            text: chip.count
            color: Theme.secondary
            font.pixelSize: 10
            font.weight: Font.Medium
        }
    }

    DropArea {
        anchors.fill: parent
        keys: ["application/x-varu-item"]
        onEntered: drag => { drag.accepted = chip.cardDrag.enterTab(chip.tabID) }
        onExited: chip.cardDrag.leaveTab(chip.tabID)
        onDropped: drop => {
            if (chip.cardDrag.dropOnTab(chip.tabID,
                                        drop.getDataAsString("application/x-varu-item")))
                drop.accept(Qt.CopyAction)
        }
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        onClicked: mouse => {
            if (mouse.button === Qt.RightButton) {
                if (!chip.isHistory)
                    menu.popup()
                return
            }
            if (chip.isHistory)
                chip.strip.showHistory()
            else
                chip.strip.showTab(chip.tabID)
        }
        onDoubleClicked: mouse => {
            if (mouse.button === Qt.LeftButton && !chip.isHistory)
                chip.strip.editTab(chip.tabID, false)
        }
    }

    StripMenu {
        id: menu
        chrome: chip.chrome
        StripMenuItem {
            text: "Editar tab…"
            onTriggered: chip.strip.editTab(chip.tabID, false)
        }
        StripMenuItem {
            text: "Exportar tab…"
            onTriggered: chip.strip.exportTab(chip.tabID)
        }
        StripMenuItem {
            text: "Excluir tab…"
            onTriggered: chip.strip.editTab(chip.tabID, true)
        }
    }
}
