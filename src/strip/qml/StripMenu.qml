import QtQuick
import QtQuick.Controls
import Varu.Strip

// A context menu in the strip's dark style; while it is open the keys are its own.
Menu {
    id: menu
    required property var chrome  // StripChrome: told while the menu is open

    padding: 5
    onOpened: chrome.menuOpen = true
    onClosed: chrome.menuOpen = false

    // Showing the strip again starts without a menu.
    Connections {
        target: menu.chrome
        function onShown() { menu.close() }
    }

    background: Rectangle {
        implicitWidth: 180
        color: "#2a2a30"
        radius: 10
        border.color: Qt.rgba(1, 1, 1, 0.12)
    }
}
