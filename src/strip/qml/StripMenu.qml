import QtQuick
import QtQuick.Controls
import Varu.Strip

// A context menu in the strip's dark style.
Menu {
    id: menu
    padding: 5
    background: Rectangle {
        implicitWidth: 180
        color: "#2a2a30"
        radius: 10
        border.color: Qt.rgba(1, 1, 1, 0.12)
    }
}
