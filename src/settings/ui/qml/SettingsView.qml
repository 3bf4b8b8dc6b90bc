import QtQuick
import QtQuick.Controls.Fusion
import Varu.Settings

// The settings window: the sidebar of panes on the left, the open pane on the right.
Rectangle {
    id: root

    required property SettingsModel settings
    required property IgnoredAppsModel ignored
    required property AppChooserModel chooser

    width: 780
    height: 540
    color: Look.window

    Shortcut {
        sequences: [StandardKey.Cancel]
        enabled: !root.settings.recording && !appChooser.opened
        onActivated: root.Window.window.close()
    }

    Rectangle {
        id: sidebar
        width: 210
        height: root.height
        color: Look.withAlpha(Look.sidebar, 0.55)

        Column {
            x: 12
            y: 18
            width: sidebar.width - 24
            spacing: 4

            Column {
                leftPadding: 6
                bottomPadding: 12

                Label {
                    text: "Varu"
                    font.pixelSize: 15
                    font.bold: true
                    color: Look.text
                }
                Label {
                    text: "Ajustes"
                    font.pixelSize: 11
                    color: Look.secondary
                }
            }
            Repeater {
                model: 5

                SidebarButton {
                    objectName: "paneButton" + index
                    current: root.settings.pane === index
                    onClicked: root.settings.pane = index
                }
            }
        }
    }
    Rectangle {
        x: sidebar.width
        width: 1
        height: root.height
        color: Look.separator
        opacity: 0.4
    }

    ScrollView {
        id: scroll
        x: sidebar.width + 1
        width: root.width - x
        height: root.height
        contentWidth: availableWidth

        Column {
            x: 28
            width: scroll.availableWidth - 56
            topPadding: 22
            bottomPadding: 28
            spacing: 18

            Label {
                text: Look.paneTitles[root.settings.pane]
                font.pixelSize: 22
                font.bold: true
                color: Look.text
                Accessible.role: Accessible.Heading
            }
            GeneralPane {
                width: parent.width
                visible: root.settings.pane === SettingsPane.General
                settings: root.settings
            }
            HistoryPane {
                width: parent.width
                visible: root.settings.pane === SettingsPane.History
                settings: root.settings
            }
            PrivacyPane {
                width: parent.width
                visible: root.settings.pane === SettingsPane.Privacy
                settings: root.settings
                ignored: root.ignored
                onAddApps: {
                    root.chooser.reload()
                    appChooser.open()
                }
            }
            DataPane {
                width: parent.width
                visible: root.settings.pane === SettingsPane.Data
                settings: root.settings
            }
            AboutPane {
                width: parent.width
                visible: root.settings.pane === SettingsPane.About
                settings: root.settings
            }
        }
    }

    AppChooser {
        id: appChooser
        chooser: root.chooser
    }
}
