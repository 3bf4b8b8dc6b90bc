import QtQuick
import Varu.Settings

// Dados: export of everything or of one tab, and import.
Column {
    id: pane

    required property SettingsModel settings

    spacing: 22

    SettingsGroup {
        width: pane.width
        title: "Exportar"
        footer: "O arquivo .varu leva o conteúdo copiado. Compartilhe só com quem você confia."

        SettingsRow {
            title: "Tudo"
            subtitle: "Histórico e todas as tabs, para backup ou para levar a outro computador."

            PushButton {
                text: "Exportar…"
                Accessible.name: "Exportar tudo"
                onClicked: pane.settings.exportEverything()
            }
        }
        SettingsRow {
            title: "Uma tab"
            subtitle: "Só os cards da tab. Bom para compartilhar snippets com o time."
            divider: false

            Picker {
                objectName: "exportTabPicker"
                width: 140
                enabled: pane.settings.canExportTab
                model: pane.settings.exportTabNames
                selected: pane.settings.exportTabIndex
                Accessible.name: "Tab a exportar"
                onChosen: index => pane.settings.chooseExportTab(index)
            }
            PushButton {
                text: "Exportar…"
                enabled: pane.settings.canExportTab
                Accessible.name: "Exportar a tab"
                onClicked: pane.settings.exportTab()
            }
        }
    }

    SettingsGroup {
        width: pane.width
        title: "Importar"
        footer: "Cards iguais não duplicam, e tabs com o mesmo nome são juntadas. Também dá "
                + "para abrir um .varu com duplo clique."

        SettingsRow {
            title: "Importar arquivo .varu"
            divider: false

            PushButton {
                text: "Importar…"
                Accessible.name: "Importar arquivo .varu"
                onClicked: pane.settings.importFile()
            }
        }
    }
}
