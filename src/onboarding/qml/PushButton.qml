import QtQuick
import Varu.Onboarding

// A push button: prominent (filled with the accent) for a step's main action, plain otherwise.
Rectangle {
    id: button
    required property string text
    property bool prominent: false
    signal clicked

    implicitWidth: Math.max(label.implicitWidth + 32, 96)
    implicitHeight: 34
    radius: 8
    color: button.prominent ? (area.pressed ? Look.accentPressed : Look.accent)
                            : (area.pressed ? Look.buttonPressed : Look.button)

    Text {
        id: label
        anchors.centerIn: parent
        text: button.text
        font.pixelSize: 14
        font.weight: Font.DemiBold
        color: button.prominent ? "white" : Look.primary
    }
    MouseArea {
        id: area
        anchors.fill: parent
        cursorShape: Qt.PointingHandCursor
        onClicked: button.clicked()
    }
}
