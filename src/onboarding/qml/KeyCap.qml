import QtQuick
import Varu.Onboarding

// One key of the shortcut, drawn as a key cap with a darker lower edge; names of modifier keys
// get a wider cap.
Rectangle {
    id: cap
    required property string key

    width: Math.max(66, label.implicitWidth + 28)
    height: 66
    radius: 12
    color: Look.keyCapEdge

    Rectangle {
        anchors.fill: parent
        anchors.margins: 1
        anchors.bottomMargin: 4
        radius: 11
        color: Look.keyCap

        Text {
            id: label
            anchors.centerIn: parent
            text: cap.key
            font.pixelSize: cap.key.length > 1 ? 22 : 30
            font.weight: Font.DemiBold
            color: Look.primary
        }
    }
}
