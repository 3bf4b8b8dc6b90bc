pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls.Fusion
import Varu.Settings

// The window's sidebar: the name, then one button per pane; clicking one opens it.
Rectangle {
    id: sidebar

    required property SettingsModel settings

    color: Look.withAlpha(Look.sidebar, 0.55)

    // The keyboard starts from the open pane's entry, so Tab goes on into the pane.
    function focusCurrent() {
        const entry = entries.itemAt(sidebar.settings.pane)
        if (entry)
            entry.forceActiveFocus(Qt.ActiveWindowFocusReason)
    }

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
            id: entries
            model: 5

            SidebarButton {
                objectName: "paneButton" + index
                current: sidebar.settings.pane === index
                onClicked: sidebar.settings.pane = index
            }
        }
    }
}
