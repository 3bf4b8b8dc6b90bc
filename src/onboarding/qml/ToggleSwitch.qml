import QtQuick
import Varu.Onboarding

// A labelled on/off switch. It shows `checked` as given and asks for a change with `toggled`:
// the owner decides whether the change took.
Row {
    id: row
    required property string text
    required property bool checked
    signal toggled(bool on)

    spacing: 10

    Rectangle {
        id: track
        anchors.verticalCenter: parent.verticalCenter
        width: 40
        height: 22
        radius: 11
        color: row.checked ? Look.accent : Look.keyCapEdge
        Behavior on color { ColorAnimation { duration: 120 } }

        Rectangle {
            width: 18
            height: 18
            radius: 9
            y: 2
            x: row.checked ? track.width - width - 2 : 2
            color: "white"
            Behavior on x { NumberAnimation { duration: 120; easing.type: Easing.OutQuad } }
        }
        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.PointingHandCursor
            onClicked: row.toggled(!row.checked)
        }
    }
    Text {
        anchors.verticalCenter: parent.verticalCenter
        text: row.text
        font.pixelSize: 14
        color: Look.primary
    }
}
