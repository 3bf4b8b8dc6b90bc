import QtQuick
import QtQuick.Controls.Fusion
import Varu.Settings

// Sobre: what Varu is, its version and where its data lives. Updates come from the
// distribution's packages, so there is nothing to check here.
Column {
    id: pane

    required property SettingsModel settings

    spacing: 22

    Column {
        width: pane.width
        spacing: 6

        Image {
            anchors.horizontalCenter: parent.horizontalCenter
            width: 110
            height: 110
            sourceSize.width: 220
            sourceSize.height: 220
            source: "image://settings/varu"
        }
        Label {
            anchors.horizontalCenter: parent.horizontalCenter
            text: "Varu"
            font.pixelSize: 26
            font.bold: true
            color: Look.text
        }
        Label {
            anchors.horizontalCenter: parent.horizontalCenter
            text: "Versão " + pane.settings.version
            font.pixelSize: 12
            color: Look.secondary
        }
        Label {
            anchors.horizontalCenter: parent.horizontalCenter
            text: "Histórico de clipboard local para Linux. Tudo fica no seu computador."
            font.pixelSize: 13
            color: Look.secondary
        }
    }

    SettingsGroup {
        width: pane.width
        title: "Seus dados"
        footer: "As atualizações do Varu chegam pelos pacotes da sua distribuição."

        SettingsRow {
            title: "Pasta do histórico e dos ajustes"
            divider: false

            TextField {
                width: 250
                readOnly: true
                selectByMouse: true
                text: pane.settings.dataFolder
                Accessible.name: "Pasta do histórico e dos ajustes"
            }
        }
    }
}
