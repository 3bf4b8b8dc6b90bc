pragma ComponentBehavior: Bound

import QtQuick
import Varu.Strip

// The tab editor: a new tab's or an existing tab's name and colour, and deleting a tab.
Item {
    id: overlay
    required property StripModel strip
    required property StripChrome chrome
    readonly property tabEditState editor: overlay.strip.tabEditor

    Scrim {
        anchors.fill: parent
        onDismissed: overlay.strip.cancelOverlay()
    }

    Rectangle {
        anchors.centerIn: parent
        width: 420
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
            spacing: 14

            Text {
                font.family: Theme.fontFamily
                text: overlay.editor.isNew ? "Nova tab" : "Editar tab"
                color: Theme.primary
                font.pixelSize: 14
                font.weight: Font.DemiBold
            }

            Rectangle {
                width: parent.width
                height: 36
                radius: 10
                color: Qt.rgba(0, 0, 0, 0.12)
                Rectangle {
                    id: dot
                    x: 10
                    anchors.verticalCenter: parent.verticalCenter
                    width: 12
                    height: 12
                    radius: 6
                    color: overlay.chrome.color(overlay.editor.color)
                }
                TextInput {
                    font.family: Theme.fontFamily
                    id: name
                    anchors.left: dot.right
                    anchors.leftMargin: 8
                    anchors.right: parent.right
                    anchors.rightMargin: 10
                    anchors.verticalCenter: parent.verticalCenter
                    color: Theme.primary
                    selectionColor: Theme.withAlpha(Theme.accent, 0.6)
                    selectedTextColor: "white"
                    font.pixelSize: 14
                    clip: true
                    selectByMouse: true
                    onTextEdited: overlay.strip.setTabEditorName(text)
                    onAccepted: overlay.strip.commitOverlay()
                    Text {
                        font.family: Theme.fontFamily
                        anchors.fill: parent
                        verticalAlignment: Text.AlignVCenter
                        visible: name.text === ""
                        text: "Nome da tab"
                        color: Theme.tertiary
                        font.pixelSize: 14
                    }
                }
            }

            Row {
                spacing: 10
                Repeater {
                    model: overlay.chrome.tabColors
                    delegate: Rectangle {
                        id: swatch
                        required property string modelData
                        width: 22
                        height: 22
                        radius: 11
                        color: swatch.modelData
                        // The chosen colour wears a white ring inside its edge.
                        Rectangle {
                            anchors.fill: parent
                            radius: width / 2
                            color: "transparent"
                            border.color: "white"
                            border.width: 2.5
                            visible: overlay.editor.color === swatch.modelData
                        }
                        MouseArea {
                            anchors.fill: parent
                            cursorShape: Qt.PointingHandCursor
                            onClicked: overlay.strip.setTabEditorColor(swatch.modelData)
                        }
                    }
                }
            }

            Text {
                font.family: Theme.fontFamily
                width: parent.width
                visible: text !== ""
                text: overlay.editor.notice
                color: Theme.secondary
                font.pixelSize: 11
                wrapMode: Text.Wrap
            }

            Item {
                width: parent.width
                height: 28
                StripButton {
                    visible: !overlay.editor.isNew
                    text: overlay.editor.confirmDelete ? "Excluir tab e seus cards"
                                                                       : "Excluir…"
                    prominent: overlay.editor.confirmDelete
                    destructive: true
                    onClicked: {
                        if (overlay.editor.confirmDelete)
                            overlay.strip.deleteEditedTab()
                        else
                            overlay.strip.setTabEditorConfirmDelete(true)
                    }
                }
                Row {
                    anchors.right: parent.right
                    spacing: 8
                    StripButton {
                        text: "Cancelar"
                        onClicked: overlay.strip.cancelOverlay()
                    }
                    StripButton {
                        text: overlay.editor.isNew ? "Criar" : "Salvar"
                        prominent: true
                        enabled: overlay.editor.canCommit
                        onClicked: overlay.strip.commitOverlay()
                    }
                }
            }
        }
    }

    Component.onCompleted: {
        name.text = overlay.editor.name
        name.selectAll()
        name.forceActiveFocus()
    }
}
