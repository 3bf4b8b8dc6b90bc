pragma ComponentBehavior: Bound

import QtQuick
import Varu.Strip

// A file card's content: one preview, or up to three and the count of the rest.
Item {
    id: content
    required property CardView card

    FilePreview {
        visible: content.card.files.length === 1
        y: 3
        width: 204
        height: 140
        file: content.card.files.length === 1 ? content.card.files[0] : null
    }
    Row {
        visible: content.card.files.length > 1
        anchors.verticalCenter: parent.verticalCenter
        spacing: 6
        Repeater {
            model: content.card.files.length > 1 ? content.card.files : []
            delegate: Item {
                id: tile
                required property var modelData
                required property int index
                width: 64
                height: 62
                FilePreview {
                    anchors.fill: parent
                    file: tile.modelData
                }
                // "+N" covers the third preview when more files follow.
                Rectangle {
                    visible: tile.index === 2 && content.card.moreLabel !== ""
                    anchors.fill: parent
                    radius: 8
                    color: Qt.rgba(0, 0, 0, 0.55)
                    Text {
                        font.family: Theme.fontFamily
                        anchors.centerIn: parent
                        text: content.card.moreLabel
                        color: "white"
                        font.pixelSize: 11
                        font.weight: Font.DemiBold
                    }
                }
            }
        }
    }
}
