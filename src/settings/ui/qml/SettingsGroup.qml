import QtQuick
import QtQuick.Controls.Fusion
import Varu.Settings

// A titled box of rows with an optional footer below it.
Column {
    id: group

    property string title: ""
    property string footer: ""
    default property alias rows: box.data

    spacing: 7

    Label {
        x: 4
        visible: group.title !== ""
        text: group.title.toUpperCase()
        font.pixelSize: 11
        font.weight: Font.DemiBold
        color: Look.secondary
    }
    Rectangle {
        width: group.width
        height: box.implicitHeight
        radius: 12
        color: Look.groupFill

        Column {
            id: box
            width: parent.width
        }
    }
    Label {
        x: 4
        width: group.width - 8
        visible: group.footer !== ""
        text: group.footer
        wrapMode: Text.WordWrap
        font.pixelSize: 11
        color: Look.secondary
    }
}
