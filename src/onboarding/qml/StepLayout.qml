import QtQuick
import Varu.Onboarding

// One step's content: its symbol (a green check once the step is satisfied), title and text,
// then either the green confirmation or the step's buttons.
Column {
    id: step
    required property string symbol
    required property string title
    required property string text
    required property bool ok
    required property string okText
    // The step's buttons, shown while it is not satisfied.
    default property alias actions: actionRow.data

    spacing: 14

    Image {
        anchors.horizontalCenter: parent.horizontalCenter
        width: 54
        height: 54
        sourceSize.width: 54
        sourceSize.height: 54
        source: step.ok ? Look.symbol("checkmark.circle.fill", Look.green)
                        : Look.symbol(step.symbol, Look.accent)
    }
    Text {
        anchors.horizontalCenter: parent.horizontalCenter
        text: step.title
        font.pixelSize: 26
        font.bold: true
        color: Look.primary
    }
    Text {
        width: step.width
        text: step.text
        font.pixelSize: 15
        lineHeight: 1.15
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        color: Look.secondary
    }
    Item {
        width: 1
        height: 4
    }
    Row {
        anchors.horizontalCenter: parent.horizontalCenter
        visible: step.ok
        spacing: 6
        Image {
            anchors.verticalCenter: parent.verticalCenter
            width: 16
            height: 16
            sourceSize.width: 16
            sourceSize.height: 16
            source: Look.symbol("checkmark", Look.green)
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: step.okText
            font.pixelSize: 14
            font.weight: Font.DemiBold
            color: Look.green
        }
    }
    Row {
        id: actionRow
        anchors.horizontalCenter: parent.horizontalCenter
        visible: !step.ok
        spacing: 10
    }
}
