pragma ComponentBehavior: Bound
import QtQuick
import Varu.Preview

// The files of a file card: one large, several as a grid (its rows centred), each with its
// picture or icon, name, size and type.
Item {
    id: area
    required property PreviewState preview
    readonly property int cell: 184
    readonly property bool single: grid.count === 1
    readonly property int columns: Math.max(1, Math.min(grid.count, Math.floor(area.width / area.cell)))

    GridView {
        id: grid
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        width: area.single ? area.width : area.columns * area.cell
        model: area.preview.files
        cellWidth: area.single ? area.width : area.cell
        cellHeight: area.single ? area.height : 208
        topMargin: area.single ? 0 : 14
        clip: true
        boundsBehavior: Flickable.StopAtBounds

        delegate: PreviewFileTile {
            large: area.single
            width: grid.cellWidth
            height: grid.cellHeight
        }
    }
}
