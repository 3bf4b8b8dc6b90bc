import QtQuick
import Varu.Strip

// The card editor: the text of a text card, or a card's own name.
Item {
    id: overlay
    required property StripModel strip
    readonly property bool renaming: overlay.strip.editing.mode === EditMode.Rename

    Scrim {
        anchors.fill: parent
        onDismissed: overlay.strip.cancelOverlay()
    }

    Rectangle {
        id: panel
        anchors.centerIn: parent
        width: 560
        height: column.implicitHeight + 36
        radius: 24
        color: "#2b2b31"
        border.color: Theme.panelEdge
        MouseArea { anchors.fill: parent } // clicks on the panel stay on it

        Column {
            id: column
            x: 18
            y: 18
            width: parent.width - 36
            spacing: 12

            Item {
                width: parent.width
                height: 20
                Row {
                    anchors.verticalCenter: parent.verticalCenter
                    spacing: 8
                    Symbol {
                        anchors.verticalCenter: parent.verticalCenter
                        name: overlay.renaming ? "character.cursor.ibeam" : "pencil"
                        size: 14
                        tint: Theme.primary
                    }
                    Text {
                        font.family: Theme.fontFamily
                        anchors.verticalCenter: parent.verticalCenter
                        text: overlay.renaming ? "Renomear card" : "Editar texto"
                        color: Theme.primary
                        font.pixelSize: 14
                        font.weight: Font.DemiBold
                    }
                }
                Text {
                    font.family: Theme.fontFamily
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    text: overlay.strip.editing.typeLabel
                    color: Theme.secondary
                    font.pixelSize: 11
                    textFormat: Text.PlainText
                }
            }

            // The text: several lines, Return breaks the line.
            Rectangle {
                visible: !overlay.renaming
                width: parent.width
                height: 150
                radius: 10
                color: Qt.rgba(0, 0, 0, 0.12)
                Flickable {
                    id: scroller
                    anchors.fill: parent
                    anchors.margins: 10
                    contentWidth: width
                    contentHeight: editor.implicitHeight
                    clip: true
                    boundsBehavior: Flickable.StopAtBounds
                    TextEdit {
                        font.family: Theme.fontFamily
                        id: editor
                        width: scroller.width
                        color: Theme.primary
                        selectionColor: Theme.withAlpha(Theme.accent, 0.6)
                        selectedTextColor: "white"
                        font.pixelSize: 13
                        wrapMode: TextEdit.Wrap
                        selectByMouse: true
                        textFormat: TextEdit.PlainText
                        onTextChanged: overlay.strip.setEditingText(text)
                        onCursorRectangleChanged: {
                            if (cursorRectangle.y < scroller.contentY)
                                scroller.contentY = cursorRectangle.y
                            else if (cursorRectangle.y + cursorRectangle.height > scroller.contentY + scroller.height)
                                scroller.contentY = cursorRectangle.y + cursorRectangle.height - scroller.height
                        }
                    }
                }
            }

            // The name: one line, Return saves.
            Rectangle {
                visible: overlay.renaming
                width: parent.width
                height: 34
                radius: 10
                color: Qt.rgba(0, 0, 0, 0.12)
                TextInput {
                    font.family: Theme.fontFamily
                    id: name
                    anchors.fill: parent
                    anchors.leftMargin: 10
                    anchors.rightMargin: 10
                    verticalAlignment: TextInput.AlignVCenter
                    color: Theme.primary
                    selectionColor: Theme.withAlpha(Theme.accent, 0.6)
                    selectedTextColor: "white"
                    font.pixelSize: 14
                    clip: true
                    selectByMouse: true
                    onTextEdited: overlay.strip.setEditingText(text)
                    onAccepted: overlay.strip.commitOverlay()
                    Text {
                        font.family: Theme.fontFamily
                        anchors.fill: parent
                        verticalAlignment: Text.AlignVCenter
                        visible: name.text === ""
                        text: "Nome do card (vazio volta ao padrão)"
                        color: Theme.tertiary
                        font.pixelSize: 14
                    }
                }
            }

            Item {
                width: parent.width
                height: 28
                Text {
                    font.family: Theme.fontFamily
                    anchors.verticalCenter: parent.verticalCenter
                    text: (overlay.renaming ? KeyLabels.name("return") : KeyLabels.primary("return"))
                          + " salvar · " + KeyLabels.name("escape") + " cancelar"
                    color: Theme.secondary
                    font.pixelSize: 11
                }
                Row {
                    anchors.right: parent.right
                    spacing: 8
                    StripButton {
                        text: "Cancelar"
                        onClicked: overlay.strip.cancelOverlay()
                    }
                    StripButton {
                        text: "Salvar"
                        prominent: true
                        onClicked: overlay.strip.commitOverlay()
                    }
                }
            }
        }
    }

    // The editor opens with the text as it is, and the keyboard.
    Component.onCompleted: {
        const text = overlay.strip.editing.text
        if (overlay.renaming) {
            name.text = text
            name.selectAll()
            name.forceActiveFocus()
        } else {
            editor.text = text
            editor.cursorPosition = editor.length
            editor.forceActiveFocus()
        }
    }
}
