import QtQuick
import Varu.Strip

// A file's extension on a small tag in the colour of its category.
Rectangle {
    id: badge
    property string text
    property color tint

    visible: text !== ""
    width: label.implicitWidth + 10
    height: label.implicitHeight + 4
    radius: 4
    color: tint

    Text {
        font.family: Theme.fontFamily
        id: label
        anchors.centerIn: parent
        text: badge.text
        color: "white"
        font.pixelSize: 9
        font.weight: Font.Black
        textFormat: Text.PlainText
    }
}
