import QtQuick
import Varu.Preview

// The quick preview: the card's title and detail line over its content, on the strip's dark
// glass (see-through with a compositor, solid and shaped without one).
Rectangle {
    id: root
    required property PreviewState preview

    radius: 28
    color: root.preview.translucent ? Qt.rgba(0.10, 0.10, 0.12, 0.86) : "#1e1e22"
    border.color: Qt.rgba(1, 1, 1, 0.10)
    border.width: 1

    Text {
        id: title
        anchors.top: parent.top
        anchors.topMargin: 16
        anchors.left: parent.left
        anchors.leftMargin: 20
        width: Math.min(implicitWidth, root.width - 40)
        text: root.preview.title
        color: Qt.rgba(1, 1, 1, 0.93)
        font.pixelSize: 14
        font.weight: Font.DemiBold
        elide: Text.ElideMiddle
        maximumLineCount: 1
    }
    Text {
        id: detail
        anchors.top: title.bottom
        anchors.topMargin: 2
        anchors.left: title.left
        width: Math.min(implicitWidth, root.width - 40)
        text: root.preview.detail
        color: Qt.rgba(1, 1, 1, 0.56)
        font.pixelSize: 11
        elide: Text.ElideRight
        maximumLineCount: 1
    }

    Rectangle {
        id: content
        anchors.top: detail.bottom
        anchors.topMargin: 12
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 14
        radius: root.preview.mode === PreviewMode.Color ? 18 : 16
        clip: true
        color: root.preview.mode === PreviewMode.Color ? root.preview.swatch
             : root.preview.mode === PreviewMode.RichText ? "white"
             : Qt.rgba(1, 1, 1, 0.05)

        // One view per mode, only the one for the card's shown: each is empty for the others.
        PreviewText {
            anchors.fill: parent
            preview: root.preview
            visible: root.preview.mode === PreviewMode.Text || root.preview.mode === PreviewMode.RichText
        }
        PreviewPicture {
            anchors.fill: parent
            preview: root.preview
            visible: root.preview.mode === PreviewMode.Picture || root.preview.mode === PreviewMode.Animation
        }
        PreviewPages {
            anchors.fill: parent
            preview: root.preview
            visible: root.preview.mode === PreviewMode.Pdf
        }
        PreviewFiles {
            anchors.fill: parent
            preview: root.preview
            visible: root.preview.mode === PreviewMode.Files
        }
        Image {
            anchors.centerIn: parent
            width: 96
            height: 96
            source: root.preview.symbol
            sourceSize.width: 96
            sourceSize.height: 96
            visible: root.preview.mode === PreviewMode.Symbol
        }
    }
}
