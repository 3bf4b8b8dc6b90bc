pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls.Fusion
import Varu.Settings

// The installed applications to ignore: searchable, several checked at once, "Ignorar"
// ignores the checked ones.
Popup {
    id: popup

    required property AppChooserModel chooser

    modal: true
    focus: true
    width: 480
    height: 430
    x: ((parent as Item)?.width - width) / 2
    y: ((parent as Item)?.height - height) / 2
    padding: 16
    closePolicy: Popup.CloseOnEscape
    onOpened: search.forceActiveFocus()

    background: Rectangle {
        radius: 12
        color: Look.window
        border.color: Look.separator
    }

    Column {
        anchors.fill: parent
        spacing: 10

        Label {
            width: parent.width
            text: "Escolha os apps cujas cópias o Varu não deve guardar"
            wrapMode: Text.WordWrap
            font.pixelSize: 14
            font.weight: Font.DemiBold
            color: Look.text
        }
        TextField {
            id: search
            objectName: "appSearch"
            width: parent.width
            placeholderText: "Buscar"
            text: popup.chooser.filter
            Accessible.name: "Buscar apps"
            onTextEdited: popup.chooser.filter = text
        }
        Rectangle {
            width: parent.width
            height: parent.height - y - buttons.height - 10
            radius: 8
            color: Look.groupFill
            border.color: Look.separator

            ListView {
                id: list
                anchors.fill: parent
                anchors.margins: 1
                clip: true
                model: popup.chooser
                activeFocusOnTab: true
                keyNavigationEnabled: true
                Keys.onSpacePressed: popup.chooser.toggle(list.currentIndex)
                ScrollBar.vertical: ScrollBar {}

                delegate: ItemDelegate {
                    id: entry

                    required property int index
                    required property string appID
                    required property string name
                    required property bool chosen

                    width: ListView.view.width
                    height: 40
                    highlighted: ListView.isCurrentItem && ListView.view.activeFocus
                    background: Rectangle {
                        color: entry.highlighted ? Look.selection
                                                 : entry.hovered ? Look.groupFill : "transparent"
                    }
                    Accessible.role: Accessible.CheckBox
                    Accessible.name: entry.name
                    Accessible.checked: entry.chosen
                    onClicked: {
                        entry.ListView.view.currentIndex = entry.index
                        popup.chooser.toggle(entry.index)
                    }

                    contentItem: Row {
                        spacing: 10

                        CheckBox {
                            anchors.verticalCenter: parent.verticalCenter
                            checked: entry.chosen
                            focusPolicy: Qt.NoFocus
                            onClicked: entry.clicked()
                        }
                        Image {
                            anchors.verticalCenter: parent.verticalCenter
                            width: 24
                            height: 24
                            sourceSize.width: 48
                            sourceSize.height: 48
                            source: "image://settings/app/" + entry.appID
                        }
                        Column {
                            anchors.verticalCenter: parent.verticalCenter

                            Label {
                                text: entry.name
                                font.pixelSize: 13
                                color: Look.text
                            }
                            Label {
                                text: entry.appID
                                font.pixelSize: 10
                                color: Look.secondary
                            }
                        }
                    }
                }
            }
        }
        Row {
            id: buttons
            anchors.right: parent.right
            spacing: 8

            PushButton {
                text: "Cancelar"
                onClicked: popup.close()
            }
            PushButton {
                objectName: "ignoreAppsButton"
                text: "Ignorar"
                highlighted: true
                enabled: popup.chooser.checkedCount > 0
                onClicked: {
                    popup.chooser.ignoreChecked()
                    popup.close()
                }
            }
        }
    }
}
