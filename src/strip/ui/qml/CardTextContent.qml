import QtQuick
import Varu.Strip

// A text card's content: as many lines of its text as fit.
Text {
    font.family: Theme.fontFamily
    id: content
    required property CardView card

    topPadding: 10
    text: content.card.body
    color: Theme.primary
    font.pixelSize: 12
    lineHeightMode: Text.FixedHeight
    lineHeight: 17
    wrapMode: Text.WrapAtWordBoundaryOrAnywhere
    maximumLineCount: Math.max(1, Math.floor((height - topPadding) / lineHeight))
    elide: Text.ElideRight
    textFormat: Text.PlainText
}
