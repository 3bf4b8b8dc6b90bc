import QtQuick
import Varu.Settings

// Histórico: how long and how much of the history is kept, and clearing it.
Column {
    id: pane

    required property SettingsModel settings

    spacing: 22

    SettingsGroup {
        width: pane.width
        title: "Retenção"
        footer: "Vale só para o histórico. O que está nas tabs fica até você tirar. O prazo "
                + "conta a partir da última vez que você copiou ou usou o card."

        SettingsRow {
            title: "Guardar o histórico por"

            Picker {
                objectName: "retentionPicker"
                width: 150
                model: pane.settings.retentionNames
                selected: pane.settings.retentionIndex
                Accessible.name: "Guardar o histórico por"
                onChosen: index => pane.settings.chooseRetention(index)
            }
        }
        SettingsRow {
            title: "Máximo de itens no histórico"
            divider: false

            Picker {
                objectName: "limitPicker"
                width: 150
                model: pane.settings.limitNames
                selected: pane.settings.limitIndex
                Accessible.name: "Máximo de itens no histórico"
                onChosen: index => pane.settings.chooseLimit(index)
            }
        }
    }

    SettingsGroup {
        width: pane.width

        SettingsRow {
            title: "Limpar histórico"
            subtitle: "Apaga tudo do histórico. As tabs não são afetadas."
            divider: false

            PushButton {
                objectName: "clearHistoryButton"
                text: "Limpar…"
                destructive: true
                Accessible.name: "Limpar histórico"
                onClicked: pane.settings.clearHistory()
            }
        }
    }
}
