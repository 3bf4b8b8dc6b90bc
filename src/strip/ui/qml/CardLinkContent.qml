import QtQuick
import Varu.Strip

// A link card's content: the host, then the address.
Column {
    id: content
    required property CardView card

    topPadding: 12
    spacing: 6
    Text {
        font.family: Theme.fontFamily
        width: parent.width
        text: content.card.linkHost
        visible: text !== ""
        color: Theme.primary
        font.pixelSize: 17
        font.weight: Font.DemiBold
        elide: Text.ElideRight
        maximumLineCount: 1
        textFormat: Text.PlainText
    }
    Text {
        font.family: Theme.fontFamily
        width: parent.width
        text: content.card.body
        color: Theme.secondary
        font.pixelSize: 11
        wrapMode: Text.WrapAnywhere
        maximumLineCount: 5
        elide: Text.ElideRight
        textFormat: Text.PlainText
    }
}
