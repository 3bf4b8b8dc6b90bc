import QtQuick
import QtQuick.Window
import Varu.Preview

// An image fitted to the panel: the card's small picture at once, the full one over it once
// decoded; animated images play.
Item {
    id: area
    required property PreviewState preview
    readonly property bool animated: area.preview.mode === PreviewMode.Animation

    Image {
        anchors.fill: parent
        source: area.preview.placeholder
        fillMode: Image.PreserveAspectFit
        visible: full.status !== Image.Ready && !area.animated
        smooth: true
    }
    Image {
        id: full
        objectName: "fullPicture"
        anchors.fill: parent
        // Asked for once the panel has its size, so the picture is decoded only once.
        source: area.animated || area.width <= 0 ? "" : area.preview.picture
        sourceSize.width: area.width * Screen.devicePixelRatio
        sourceSize.height: area.height * Screen.devicePixelRatio
        fillMode: Image.PreserveAspectFit
        asynchronous: true
        cache: false
        smooth: true
    }
    AnimatedImage {
        anchors.fill: parent
        source: area.animated ? area.preview.animation : ""
        fillMode: Image.PreserveAspectFit
        playing: area.animated
        asynchronous: true
    }
}
