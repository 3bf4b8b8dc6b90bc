import QtQuick
import Varu.Strip

// What the card area says when no card is visible: nothing found, an empty tab, or an empty
// history.
Column {
    id: empty
    required property StripChrome chrome

    spacing: 6
    Symbol {
        anchors.horizontalCenter: parent.horizontalCenter
        name: empty.chrome.emptySymbol
        size: 30
        tint: Theme.secondary
        opacity: 0.9
    }
    Item { width: 1; height: 4 }
    Text {
        font.family: Theme.fontFamily
        anchors.horizontalCenter: parent.horizontalCenter
        text: empty.chrome.emptyTitle
        color: Theme.primary
        font.pixelSize: 14
        font.weight: Font.Medium
        textFormat: Text.PlainText
    }
    Text {
        font.family: Theme.fontFamily
        anchors.horizontalCenter: parent.horizontalCenter
        text: empty.chrome.emptySubtitle
        color: Theme.secondary
        font.pixelSize: 12
        textFormat: Text.PlainText
    }
}
