import QtQuick
import Varu.Strip

// A colour card's content: a swatch and the colour as written.
Column {
    id: content
    required property CardView card

    topPadding: 12
    spacing: 10
    Rectangle {
        width: parent.width
        height: 92
        radius: 14
        color: content.card.swatch
        border.color: Qt.rgba(1, 1, 1, 0.12)
        border.width: 1
    }
    Text {
        font.family: Theme.fontFamily
        text: content.card.body
        color: Theme.primary
        font.pixelSize: 15
        font.weight: Font.DemiBold
        textFormat: Text.PlainText
    }
}
