import QtQuick

// One file: its thumbnail when it has one, else its type's icon; then its name, and its size
// and type.
Item {
    id: tile
    required property string name
    required property string facts // size and type
    required property string picture
    required property string icon
    property bool large: false

    readonly property int side: tile.large ? Math.min(256, tile.height - 110) : 128

    Image {
        id: iconImage
        anchors.horizontalCenter: parent.horizontalCenter
        y: tile.large ? (tile.height - tile.side - 90) / 2 : 14
        width: tile.side
        height: tile.side
        source: tile.icon
        sourceSize.width: tile.side
        sourceSize.height: tile.side
        visible: thumb.status !== Image.Ready || thumb.implicitWidth <= 1
    }
    Image {
        id: thumb
        anchors.fill: iconImage
        source: tile.picture
        sourceSize.width: tile.side * 2
        sourceSize.height: tile.side * 2
        fillMode: Image.PreserveAspectFit
        asynchronous: true
        // A file without a thumbnail answers with a single transparent pixel.
        visible: status === Image.Ready && implicitWidth > 1
    }
    Text {
        id: nameText
        anchors.top: iconImage.bottom
        anchors.topMargin: 12
        anchors.horizontalCenter: parent.horizontalCenter
        width: tile.width - 24
        horizontalAlignment: Text.AlignHCenter
        text: tile.name
        color: Qt.rgba(1, 1, 1, 0.93)
        font.pixelSize: tile.large ? 16 : 12
        font.weight: Font.DemiBold
        elide: Text.ElideMiddle
        maximumLineCount: 1
    }
    Text {
        anchors.top: nameText.bottom
        anchors.topMargin: 3
        anchors.horizontalCenter: parent.horizontalCenter
        width: tile.width - 24
        horizontalAlignment: Text.AlignHCenter
        text: tile.facts
        color: Qt.rgba(1, 1, 1, 0.56)
        font.pixelSize: tile.large ? 12 : 10
        elide: Text.ElideRight
        maximumLineCount: 1
    }
}
