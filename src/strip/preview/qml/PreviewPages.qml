pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Window
import Varu.Preview

// Every page of a PDF document on white paper, one under the other, each whole in view,
// scrollable; pages are drawn as they come into view.
ListView {
    id: list
    required property PreviewState preview

    model: list.preview.pages
    spacing: 12
    topMargin: 12
    bottomMargin: 12
    clip: true
    boundsBehavior: Flickable.StopAtBounds
    cacheBuffer: 400

    delegate: Rectangle {
        id: page
        required property int index
        width: Math.min(list.width - 24, (list.height - 24) / list.preview.pageRatio)
        x: (list.width - page.width) / 2
        height: Math.round(page.width * list.preview.pageRatio)
        color: "white"

        Image {
            objectName: "page"
            anchors.fill: parent
            source: list.preview.pageSource(page.index)
            sourceSize.width: page.width * Screen.devicePixelRatio
            fillMode: Image.PreserveAspectFit
            asynchronous: true
        }
    }
}
