import QtQuick
import Varu.Strip

// A text button of the editors: plain, or prominent in the accent colour (red when it
// destroys something).
Item {
    id: button
    property string text
    property bool prominent: false
    property bool destructive: false
    signal clicked()

    implicitWidth: label.implicitWidth + 28
    implicitHeight: 28
    opacity: enabled ? 1 : 0.45

    Rectangle {
        anchors.fill: parent
        radius: 8
        color: button.prominent ? (button.destructive ? "#d9383a" : Theme.accent)
                                : (area.containsMouse && button.enabled ? Theme.glassHover
                                                                        : Theme.glass)
        border.color: button.prominent ? "transparent" : Theme.glassEdge
        Rectangle {
            anchors.fill: parent
            radius: parent.radius
            visible: button.prominent && area.pressed
            color: Qt.rgba(0, 0, 0, 0.15)
        }
    }
    Text {
        font.family: Theme.fontFamily
        id: label
        anchors.centerIn: parent
        text: button.text
        color: button.prominent ? "white" : (button.destructive ? "#ff6b6b" : Theme.primary)
        font.pixelSize: 13
        font.weight: button.prominent ? Font.DemiBold : Font.Normal
        textFormat: Text.PlainText
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        enabled: button.enabled
        cursorShape: Qt.PointingHandCursor
        onClicked: button.clicked()
    }
}
