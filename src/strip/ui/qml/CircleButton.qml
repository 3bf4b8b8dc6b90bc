import QtQuick
import Varu.Strip

// A round 30-point glass button with a symbol and a tooltip.
Item {
    id: button
    property string symbol
    property int symbolSize: 12
    property string tip
    property color tint: "transparent"
    signal clicked()

    width: 30
    height: 30

    Glass {
        anchors.fill: parent
        radius: width / 2
        tint: button.tint
        hovered: area.containsMouse
    }
    Symbol {
        anchors.centerIn: parent
        name: button.symbol
        size: button.symbolSize
        tint: Theme.primary
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: button.clicked()
    }
    StripToolTip {
        visible: area.containsMouse && button.tip !== ""
        text: button.tip
    }
}
