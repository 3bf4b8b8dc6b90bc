import QtQuick
import QtQuick.Controls.Fusion
import Varu.Settings

// An ignored application: icon and name with the id below, or the id alone beside a
// placeholder when it is not installed; the button stops ignoring it.
Item {
    id: row

    required property string appID
    required property string name
    required property bool installed
    signal remove(string id)

    width: parent ? parent.width : 0
    height: 46

    Image {
        x: 14
        anchors.verticalCenter: parent.verticalCenter
        width: 22
        height: 22
        sourceSize.width: 44
        sourceSize.height: 44
        source: "image://settings/app/" + row.appID
    }
    Column {
        x: 46
        anchors.verticalCenter: parent.verticalCenter
        width: row.width - 46 - 50

        Label {
            width: parent.width
            text: row.installed ? row.name : row.appID
            elide: Text.ElideRight
            font.pixelSize: 13
            color: Look.text
        }
        Label {
            width: parent.width
            visible: row.installed
            text: row.appID
            elide: Text.ElideRight
            font.pixelSize: 10
            color: Look.secondary
        }
    }
    RoundButton {
        anchors.right: parent.right
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        width: 24
        height: 24
        flat: true
        text: "−"
        font.pixelSize: 15
        font.weight: Font.Bold
        Accessible.name: "Parar de ignorar " + (row.installed ? row.name : row.appID)
        ToolTip.visible: hovered
        ToolTip.text: "Parar de ignorar"
        Keys.onReturnPressed: row.remove(row.appID)
        onClicked: row.remove(row.appID)
    }
    Rectangle {
        x: 46
        anchors.bottom: parent.bottom
        width: row.width - 46
        height: 1
        color: Look.separator
        opacity: 0.6
    }
}
