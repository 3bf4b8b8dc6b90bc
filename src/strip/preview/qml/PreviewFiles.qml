pragma ComponentBehavior: Bound
import QtQuick
import Varu.Preview

// The files of a file card: one large, several as a grid, each with its picture or icon, name,
// size and type.
GridView {
    id: grid
    required property PreviewState preview
    readonly property bool single: grid.count === 1

    model: grid.preview.files
    cellWidth: grid.single ? grid.width : 184
    cellHeight: grid.single ? grid.height : 208
    topMargin: grid.single ? 0 : 14
    leftMargin: grid.single ? 0 : Math.max(0, (grid.width - Math.floor(grid.width / 184) * 184) / 2)
    clip: true
    boundsBehavior: Flickable.StopAtBounds

    delegate: PreviewFileTile {
        large: grid.single
        width: grid.cellWidth
        height: grid.cellHeight
    }
}
