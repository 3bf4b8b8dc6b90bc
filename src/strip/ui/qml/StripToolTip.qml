import QtQuick
import QtQuick.Controls
import Varu.Strip

// The strip's tooltip: a small dark capsule with light text, like its menus, instead of the
// toolkit's default box.
ToolTip {
    id: tip
    delay: 600
    topPadding: 5
    bottomPadding: 5
    leftPadding: 10
    rightPadding: 10
    contentItem: Text {
        font.family: Theme.fontFamily
        text: tip.text
        color: Theme.primary
        font.pixelSize: 12
    }
    background: Rectangle {
        radius: 8
        color: Theme.panelOpaque
        border.color: Theme.panelEdge
    }
}
