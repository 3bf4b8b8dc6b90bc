import QtQuick
import QtQuick.Controls
import Varu.Strip

// A context menu in the strip's dark style; while it is open the keys are its own.
Menu {
    id: menu
    // StripChrome: told while the menu is open. A submenu has none; its menu stays open.
    property StripChrome chrome: null

    padding: 5
    onOpened: if (menu.chrome) menu.chrome.menuOpen = true
    onClosed: if (menu.chrome) menu.chrome.menuOpen = false

    // Showing the strip again starts without a menu.
    Connections {
        target: menu.chrome
        function onShown() { menu.close() }
    }

    background: Item {
        implicitWidth: 180
        // A soft shadow a little below, so the menu lifts off the cards under it.
        Repeater {
            model: 4
            Rectangle {
                required property int index
                anchors.fill: parent
                anchors.margins: -(index + 1) * 1.5
                anchors.topMargin: -(index + 1) * 1.5 + 3
                anchors.bottomMargin: -(index + 1) * 1.5 - 3
                radius: 10 + (index + 1) * 1.5
                color: Qt.rgba(0, 0, 0, 0.09)
            }
        }
        Rectangle {
            anchors.fill: parent
            color: "#2a2a30"
            radius: 10
            border.color: Qt.rgba(1, 1, 1, 0.12)
        }
    }
}
