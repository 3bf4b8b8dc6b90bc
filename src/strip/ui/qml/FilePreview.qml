import QtQuick
import Varu.Strip

// One file on a file card: the icon of its type at once, its preview over it once made, and
// the extension badge in the corner.
Item {
    id: preview
    property var file  // {thumb, icon, badge, badgeColor}

    Image {
        id: icon
        anchors.fill: parent
        source: preview.file ? preview.file.icon : ""
        sourceSize.width: width
        sourceSize.height: height
        visible: thumb.opacity < 1
    }
    Image {
        id: thumb
        anchors.centerIn: parent
        source: preview.file ? preview.file.thumb : ""
        sourceSize.width: preview.width
        sourceSize.height: preview.height
        asynchronous: true
        // A file without a preview answers with a single transparent pixel.
        visible: status === Image.Ready && implicitWidth > 1
        opacity: visible ? 1 : 0
        Behavior on opacity { NumberAnimation { duration: 150 } }
    }
    // On the corner of the preview, or of the icon's tile while there is none.
    ExtBadge {
        anchors.left: thumb.visible ? thumb.left : parent.left
        anchors.bottom: thumb.visible ? thumb.bottom : parent.bottom
        anchors.margins: 5
        text: preview.file ? preview.file.badge : ""
        tint: preview.file ? preview.file.badgeColor : "gray"
    }
}
