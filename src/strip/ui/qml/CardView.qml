import QtQuick
import Varu.Strip

// One card: a header in the source application's colour with its icon, the content by kind,
// and a footer with facts, the pin of its tab and its quick-paste number.
Item {
    id: card
    required property int index
    required property string cardID
    required property string kind
    required property bool selected
    required property bool showsPin
    required property var pinColor
    required property string headerTitle
    required property string headerSource
    required property string timeLine
    required property string body
    required property string linkHost
    required property string thumbSource
    required property var files
    required property string moreLabel
    required property color swatch
    required property string footer
    required property string fileName
    // False while a new result comes in: its focus shows at once.
    property bool animates: true

    width: 228
    height: 238
    scale: selected ? 1.0 : 0.965
    onKindChanged: content.load()
    Behavior on scale {
        enabled: card.animates
        NumberAnimation { duration: 220; easing.type: Easing.OutCubic }
    }

    Rectangle {
        anchors.fill: parent
        radius: 20
        color: Theme.card
        Rectangle {
            anchors.fill: parent
            radius: 20
            visible: card.selected
            color: Theme.withAlpha(Theme.accent, 0.22)
        }
    }

    // The header's colour and the application's icon, which hangs a little over the content.
    Image {
        id: header
        width: 228
        height: 74
        source: card.headerSource
        sourceSize.width: 228
        sourceSize.height: 74
    }
    Column {
        x: 13
        y: 11
        width: 228 - 13 - 68
        spacing: 1
        Text {
            font.family: Theme.fontFamily
            width: parent.width
            text: card.headerTitle
            color: "white"
            font.pixelSize: 16
            font.bold: true
            elide: Text.ElideRight
            maximumLineCount: 1
            textFormat: Text.PlainText
        }
        Text {
            font.family: Theme.fontFamily
            width: parent.width
            text: card.timeLine
            color: Qt.rgba(1, 1, 1, 0.85)
            font.pixelSize: 11
            font.weight: Font.Medium
            elide: Text.ElideRight
            maximumLineCount: 1
            textFormat: Text.PlainText
        }
    }

    Loader {
        id: content
        x: 12
        y: 60
        width: 204
        height: 146
        // Each content is a file of its own that takes the card: a component declared here
        // would reach it through this file's ids, which the tools check only in bound
        // components, and a Loader of Qt 6.4 refuses to create those.
        function load() {
            switch (card.kind) {
            case "link": return content.setSource("CardLinkContent.qml", {card: card})
            case "image":
            case "pdf": return content.setSource("CardPictureContent.qml", {card: card})
            case "file": return content.setSource("CardFileContent.qml", {card: card})
            case "color": return content.setSource("CardColorContent.qml", {card: card})
            default: return content.setSource("CardTextContent.qml", {card: card})
            }
        }
        Component.onCompleted: load()
    }

    // Footer: facts on the left, the pin and the quick-paste number on the right.
    Item {
        x: 12
        y: 206
        width: 204
        height: 24

        Row {
            id: marks
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            spacing: 6
            Symbol {
                visible: card.showsPin
                anchors.verticalCenter: parent.verticalCenter
                name: "pin.fill"
                size: 11
                tint: card.pinColor !== undefined ? card.pinColor : Theme.secondary
            }
            Text {
                font.family: Theme.fontFamily
                visible: card.index < 9
                anchors.verticalCenter: parent.verticalCenter
                text: KeyLabels.primary(String(card.index + 1))
                color: Theme.secondary
                font.pixelSize: 10
                font.weight: Font.Medium
            }
        }
        Row {
            anchors.left: parent.left
            anchors.right: marks.left
            anchors.rightMargin: 6
            anchors.verticalCenter: parent.verticalCenter
            spacing: 0
            Text {
                font.family: Theme.fontFamily
                id: name
                visible: card.fileName !== ""
                width: Math.min(implicitWidth, parent.width * (card.footer === "" ? 1 : 0.62))
                anchors.verticalCenter: parent.verticalCenter
                text: card.fileName
                color: Theme.primary
                font.pixelSize: 10
                font.weight: Font.Medium
                elide: Text.ElideMiddle
                textFormat: Text.PlainText
            }
            Text {
                font.family: Theme.fontFamily
                anchors.verticalCenter: parent.verticalCenter
                width: parent.width - (name.visible ? name.width : 0)
                text: card.fileName !== "" ? (card.footer !== "" ? " · " + card.footer : "")
                                           : card.footer
                color: Theme.secondary
                font.pixelSize: 10
                elide: Text.ElideRight
                textFormat: Text.PlainText
            }
        }
    }

    Rectangle {
        anchors.fill: parent
        radius: 20
        color: "transparent"
        border.width: card.selected ? 3 : 1
        border.color: card.selected ? Theme.accent : Qt.rgba(1, 1, 1, 0.1)
    }
}
