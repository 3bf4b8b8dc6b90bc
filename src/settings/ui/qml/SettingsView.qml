import QtQuick
import QtQuick.Controls.Fusion
import Varu.Settings

// The settings window: the sidebar of panes on the left, the open pane on the right. The
// controls take the desktop's palette as the rest of the window does.
Pane {
    id: root

    required property SettingsModel settings
    required property IgnoredAppsModel ignored
    required property AppChooserModel chooser

    width: 780
    height: 540
    padding: 0
    background: Rectangle {
        color: Look.window
    }
    palette.window: Look.palette.window
    palette.windowText: Look.palette.windowText
    palette.base: Look.palette.base
    palette.alternateBase: Look.palette.alternateBase
    palette.text: Look.palette.text
    palette.button: Look.palette.button
    palette.buttonText: Look.palette.buttonText
    palette.highlight: Look.palette.highlight
    palette.highlightedText: Look.palette.highlightedText
    palette.light: Look.palette.light
    palette.midlight: Look.palette.midlight
    palette.mid: Look.palette.mid
    palette.dark: Look.palette.dark
    palette.shadow: Look.palette.shadow
    palette.placeholderText: Look.palette.placeholderText

    // Called each time the window is shown.
    function focusPane() {
        sidebar.focusCurrent()
    }

    Shortcut {
        sequence: "Escape"
        enabled: !root.settings.recording && !appChooser.opened
        onActivated: root.Window.window.close()
    }

    Sidebar {
        id: sidebar
        width: 210
        height: root.height
        settings: root.settings
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
        // Popups live above the window's content and take nothing from it by themselves.
        palette: root.palette
    }
}
