import QtQuick
import QtQuick.Controls
import Varu.Strip

// An entry of a StripMenu.
MenuItem {
    id: item
    implicitHeight: 26
    leftPadding: 10
    rightPadding: 10
    contentItem: Text {
        font.family: Theme.fontFamily
        text: item.text
        color: item.enabled ? Theme.primary : Theme.tertiary
        font.pixelSize: 13
        verticalAlignment: Text.AlignVCenter
    }
    background: Rectangle {
        radius: 6
        color: item.highlighted ? Theme.accent : "transparent"
    }
}
