import QtQuick
import QtQuick.Controls.Fusion
import Varu.Settings

// One setting: title and subtitle on the left, its controls on the right, a separator below.
Item {
    id: row

    required property string title
    property string subtitle: ""
    property bool divider: true
    default property alias controls: controlBox.data

    width: parent ? parent.width : 0
    implicitHeight: Math.max(texts.implicitHeight, controlBox.implicitHeight) + 20

    Column {
        id: texts
        x: 14
        anchors.verticalCenter: parent.verticalCenter
        width: row.width - 28 - controlBox.implicitWidth - 12
        spacing: 2

        Label {
            width: parent.width
            text: row.title
            wrapMode: Text.WordWrap
            font.pixelSize: 13
            color: Look.text
        }
        Label {
            width: parent.width
            visible: row.subtitle !== ""
            text: row.subtitle
            wrapMode: Text.WordWrap
            font.pixelSize: 11
            color: Look.secondary
        }
    }
    Row {
        id: controlBox
        anchors.right: parent.right
        anchors.rightMargin: 14
        anchors.verticalCenter: parent.verticalCenter
        spacing: 8
    }
    Rectangle {
        visible: row.divider
        x: 14
        anchors.bottom: parent.bottom
        width: row.width - 14
        height: 1
        color: Look.separator
        opacity: 0.6
    }
}
