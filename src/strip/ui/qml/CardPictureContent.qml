import QtQuick
import Varu.Strip

// An image or PDF card's content: its thumbnail, or a symbol when there is none.
Item {
    id: content
    required property CardView card

    Image {
        id: thumb
        anchors.centerIn: parent
        visible: content.card.thumbSource !== ""
        source: content.card.thumbSource
        sourceSize.width: 204
        sourceSize.height: 130
    }
    // No thumbnail, or bytes that do not decode (an empty picture comes back).
    Symbol {
        anchors.centerIn: parent
        visible: content.card.thumbSource === "" || thumb.implicitWidth <= 1
        name: content.card.kind === "image" ? "photo" : "doc.richtext"
        size: 40
        tint: Theme.tertiary
    }
}
