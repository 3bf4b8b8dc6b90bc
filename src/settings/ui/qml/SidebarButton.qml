import QtQuick
import QtQuick.Controls.Fusion
import Varu.Settings

// One pane in the sidebar: its glyph on a coloured square and its title; the open pane is
// highlighted.
ItemDelegate {
    id: item

    required property int index
    required property bool current

    width: parent ? parent.width : 0
    height: 34
    focusPolicy: Qt.StrongFocus
    Accessible.name: Look.paneTitles[index]
    Accessible.role: Accessible.PageTab
    Keys.onReturnPressed: item.clicked()

    background: Rectangle {
        radius: 7
        color: item.current ? Look.selection
                            : item.hovered ? Look.withAlpha(Look.text, 0.06) : "transparent"
        border.width: item.visualFocus ? 2 : 0
        border.color: Look.accent
    }
    contentItem: Row {
        spacing: 9
        leftPadding: 6

        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            width: 24
            height: 24
            radius: 6
            color: Look.paneColors[item.index]

            Text {
                anchors.centerIn: parent
                text: Look.paneGlyphs[item.index]
                color: "white"
                font.pixelSize: 13
                font.weight: Font.DemiBold
            }
        }
        Label {
            anchors.verticalCenter: parent.verticalCenter
            text: Look.paneTitles[item.index]
            font.pixelSize: 13
            font.weight: Font.Medium
            color: Look.text
        }
    }
}
