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

    width: 228
    height: 238
    scale: selected ? 1.0 : 0.965
    Behavior on scale { NumberAnimation { duration: 220; easing.type: Easing.OutCubic } }

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
        sourceSize: Qt.size(228, 74)
    }
    Column {
        x: 13
        y: 11
        width: 228 - 13 - 68
        spacing: 1
        Text {
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
        sourceComponent: {
            switch (card.kind) {
            case "link": return linkContent
            case "image":
            case "pdf": return pictureContent
            case "file": return fileContent
            case "color": return colorContent
            default: return textContent
            }
        }
    }

    Component {
        id: textContent
        Text {
            topPadding: 10
            text: card.body
            color: Theme.primary
            font.pixelSize: 12
            lineHeightMode: Text.FixedHeight
            lineHeight: 17
            wrapMode: Text.WrapAtWordBoundaryOrAnywhere
            maximumLineCount: Math.max(1, Math.floor((height - topPadding) / lineHeight))
            elide: Text.ElideRight
            textFormat: Text.PlainText
        }
    }

    Component {
        id: linkContent
        Column {
            topPadding: 12
            spacing: 6
            Text {
                width: parent.width
                text: card.linkHost
                visible: text !== ""
                color: Theme.primary
                font.pixelSize: 17
                font.weight: Font.DemiBold
                elide: Text.ElideRight
                maximumLineCount: 1
                textFormat: Text.PlainText
            }
            Text {
                width: parent.width
                text: card.body
                color: Theme.secondary
                font.pixelSize: 11
                wrapMode: Text.WrapAnywhere
                maximumLineCount: 5
                elide: Text.ElideRight
                textFormat: Text.PlainText
            }
        }
    }

    Component {
        id: pictureContent
        Item {
            Image {
                id: thumb
                anchors.centerIn: parent
                visible: card.thumbSource !== ""
                source: card.thumbSource
                sourceSize: Qt.size(204, 130)
            }
            // No thumbnail, or bytes that do not decode (an empty picture comes back).
            Symbol {
                anchors.centerIn: parent
                visible: card.thumbSource === "" || thumb.implicitWidth <= 1
                name: card.kind === "image" ? "photo" : "doc.richtext"
                size: 40
                tint: Theme.tertiary
            }
        }
    }

    Component {
        id: fileContent
        Item {
            FilePreview {
                visible: card.files.length === 1
                y: 3
                width: 204
                height: 140
                file: card.files.length === 1 ? card.files[0] : null
            }
            Row {
                visible: card.files.length > 1
                anchors.verticalCenter: parent.verticalCenter
                spacing: 6
                Repeater {
                    model: card.files.length > 1 ? card.files : []
                    delegate: Item {
                        required property var modelData
                        required property int index
                        width: 64
                        height: 62
                        FilePreview {
                            anchors.fill: parent
                            file: modelData
                        }
                        // "+N" covers the third preview when more files follow.
                        Rectangle {
                            visible: index === 2 && card.moreLabel !== ""
                            anchors.fill: parent
                            radius: 8
                            color: Qt.rgba(0, 0, 0, 0.55)
                            Text {
                                anchors.centerIn: parent
                                text: card.moreLabel
                                color: "white"
                                font.pixelSize: 11
                                font.weight: Font.DemiBold
                            }
                        }
                    }
                }
            }
        }
    }

    Component {
        id: colorContent
        Column {
            topPadding: 12
            spacing: 10
            Rectangle {
                width: parent.width
                height: 92
                radius: 14
                color: card.swatch
                border.color: Qt.rgba(1, 1, 1, 0.12)
                border.width: 1
            }
            Text {
                text: card.body
                color: Theme.primary
                font.pixelSize: 15
                font.weight: Font.DemiBold
                textFormat: Text.PlainText
            }
        }
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
                visible: card.index < 9
                anchors.verticalCenter: parent.verticalCenter
                text: "⌘" + (card.index + 1)
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
