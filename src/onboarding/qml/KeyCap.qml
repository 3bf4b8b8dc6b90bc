import QtQuick
import Varu.Onboarding

// One key of the shortcut, drawn as a key cap; names of modifier keys get a wider cap.
Rectangle {
    id: cap
    required property string key

    width: Math.max(66, label.implicitWidth + 28)
    height: 66
    radius: 12
    color: Look.keyCap
    border.color: Look.keyCapEdge
    border.width: 1

    // The key's lower edge, as on a real keyboard.
    Rectangle {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        height: 4
        radius: 12
        color: Look.keyCapEdge
        z: -1
        anchors.bottomMargin: -3
    }
    Text {
        id: label
        anchors.centerIn: parent
        text: cap.key
        font.pixelSize: cap.key.length > 1 ? 22 : 30
        font.weight: Font.DemiBold
        color: Look.primary
    }
}
