import QtQuick
import Varu.Strip

// An entry of a card's menu: a command, the muted heading of a group, the entry that opens
// the pin submenu, or one tab of that submenu with its state (✓ on, – mixed) and a dot in the
// tab's colour.
StripMenuItem {
    id: item
    property int command: 0
    property string tabID: ""
    property bool heading: false
    // The menu has a state column: every entry leaves room for it, so the texts line up.
    property bool stateColumn: false
    property int mark: PinState.Off
    property var dotColor: undefined

    leftPadding: item.stateColumn ? 26 : 10
    rightPadding: item.subMenu ? 26 : 12

    // ✓ for a tab that holds every card, a bar for one that holds some of them.
    indicator: Item {
        x: 8
        width: 12
        height: 12
        anchors.verticalCenter: parent.verticalCenter
        Text {
            font.family: Theme.fontFamily
            anchors.centerIn: parent
            visible: item.mark === PinState.On
            text: "✓"
            color: Theme.primary
            font.pixelSize: 13
            font.weight: Font.Bold
        }
        Rectangle {
            anchors.centerIn: parent
            visible: item.mark === PinState.Mixed
            width: 8
            height: 2
            radius: 1
            color: Theme.primary
        }
    }

    arrow: Text {
        font.family: Theme.fontFamily
        // Bound to the entry rather than the parent, which is gone while a menu is torn down.
        x: item ? item.width - width - 10 : 0
        y: item ? (item.height - height) / 2 : 0
        visible: item.subMenu !== null
        text: "›"
        color: item.highlighted ? Theme.primary : Theme.secondary
        font.pixelSize: 16
    }

    contentItem: Row {
        spacing: 8
        Rectangle {
            visible: item.dotColor !== undefined
            anchors.verticalCenter: parent.verticalCenter
            width: 10
            height: 10
            radius: 5
            color: item.dotColor !== undefined ? item.dotColor : "transparent"
            border.color: Qt.rgba(1, 1, 1, 0.18)
            border.width: 0.5
        }
        Text {
            font.family: Theme.fontFamily
            anchors.verticalCenter: parent.verticalCenter
            text: item.text
            color: item.heading ? Theme.secondary : item.enabled ? Theme.primary : Theme.tertiary
            font.pixelSize: item.heading ? 12 : 13
            font.weight: item.heading ? Font.DemiBold : Font.Normal
            textFormat: Text.PlainText
            elide: Text.ElideRight
            width: Math.min(implicitWidth, 280) // a very long tab name is cut short
        }
    }
}
