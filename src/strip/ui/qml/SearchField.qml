import QtQuick
import Varu.Strip

// The search capsule: a magnifying glass, the query as typed, and a button that clears it.
Item {
    id: field
    required property StripModel strip
    required property StripChrome chrome
    property alias input: input

    width: 250
    height: 30

    Glass {
        anchors.fill: parent
        radius: height / 2
        hovered: hover.hovered
    }
    HoverHandler {
        id: hover
        cursorShape: Qt.IBeamCursor
    }

    Symbol {
        id: glass
        x: 12
        anchors.verticalCenter: parent.verticalCenter
        name: "magnifyingglass"
        size: 13
        tint: Theme.secondary
    }

    TextInput {
        font.family: Theme.fontFamily
        id: input
        anchors.left: glass.right
        anchors.leftMargin: 8
        anchors.right: clear.visible ? clear.left : parent.right
        anchors.rightMargin: clear.visible ? 6 : 12
        anchors.verticalCenter: parent.verticalCenter
        color: Theme.primary
        selectionColor: Theme.withAlpha(Theme.accent, 0.6)
        selectedTextColor: "white"
        font.pixelSize: 13
        clip: true
        selectByMouse: true
        onTextEdited: field.strip.query = text

        Text {
            font.family: Theme.fontFamily
            anchors.fill: parent
            verticalAlignment: Text.AlignVCenter
            visible: input.text === "" && input.preeditText === ""
            text: field.chrome.searchPlaceholder
            color: Theme.tertiary
            font.pixelSize: 13
            elide: Text.ElideRight
            textFormat: Text.PlainText
        }
    }

    // The model also changes the query (Escape, showing the strip again).
    Connections {
        target: field.strip
        function onQueryChanged() {
            if (input.text !== field.strip.query)
                input.text = field.strip.query
        }
    }

    Symbol {
        id: clear
        visible: field.strip.query !== ""
        anchors.right: parent.right
        anchors.rightMargin: 9
        anchors.verticalCenter: parent.verticalCenter
        name: "xmark.circle.fill"
        size: 14
        tint: clearArea.containsMouse ? Theme.primary : Theme.secondary
        MouseArea {
            id: clearArea
            anchors.fill: parent
            anchors.margins: -4
            hoverEnabled: true
            cursorShape: Qt.ArrowCursor
            onClicked: field.strip.query = ""
        }
    }
}
