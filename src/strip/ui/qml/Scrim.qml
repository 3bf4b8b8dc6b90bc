import QtQuick

// The dimmed strip behind an editor; a click on it cancels the editor.
Rectangle {
    id: scrim
    signal dismissed()

    radius: 30
    color: Qt.rgba(0, 0, 0, 0.18)
    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
        onClicked: scrim.dismissed()
        onWheel: wheel => wheel.accepted = true // the cards behind do not scroll
    }
}
