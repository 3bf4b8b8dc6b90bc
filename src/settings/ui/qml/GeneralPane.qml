import QtQuick
import QtQuick.Controls.Fusion
import Varu.Settings

// Geral: the shortcut and its recorder, launch at login, the sounds.
Column {
    id: pane

    required property SettingsModel settings

    spacing: 22

    SettingsGroup {
        width: pane.width
        title: "Atalho"

        SettingsRow {
            title: "Abrir o Varu"
            divider: pane.settings.hotKeyError !== ""
            subtitle: !pane.settings.hotKeysAvailable
                      ? "Este ambiente não deixa apps registrarem atalhos globais. Crie um "
                        + "atalho nos ajustes de teclado do sistema que rode o comando "
                        + "varu toggle."
                      : pane.settings.recording
                        ? "Aperte a combinação, com pelo menos duas teclas modificadoras. "
                          + "Esc cancela."
                        : "Funciona em qualquer app."

            PushButton {
                objectName: "hotKeyButton"
                visible: pane.settings.hotKeysAvailable
                width: Math.max(120, implicitWidth)
                text: pane.settings.recording ? "Aperte o novo atalho…"
                                              : pane.settings.hotKeyLabel
                Accessible.name: "Atalho para abrir o Varu: " + text
                highlighted: pane.settings.recording
                font.pixelSize: 13
                font.weight: Font.DemiBold
                onClicked: pane.settings.toggleRecording()
            }
        }
        Row {
            visible: pane.settings.hotKeyError !== ""
            x: 14
            width: pane.width - 28
            height: errorText.implicitHeight + 16
            spacing: 6

            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: "⚠"
                color: Look.warning
                font.pixelSize: 13
            }
            Label {
                id: errorText
                objectName: "hotKeyError"
                anchors.verticalCenter: parent.verticalCenter
                width: parent.width - 24
                text: pane.settings.hotKeyError
                wrapMode: Text.WordWrap
                font.pixelSize: 12
                color: Look.text
                Accessible.role: Accessible.AlertMessage
            }
        }
    }

    SettingsGroup {
        width: pane.width
        title: "Comportamento"

        SettingsRow {
            title: "Abrir ao iniciar sessão"

            ToggleSwitch {
                checked: pane.settings.loginOn
                Accessible.name: "Abrir ao iniciar sessão"
                onFlipped: on => pane.settings.setLogin(on)
            }
        }
        SettingsRow {
            title: "Sons"
            subtitle: "Toca um som do Varu ao copiar e ao colar."

            ToggleSwitch {
                checked: pane.settings.playSounds
                Accessible.name: "Sons"
                onFlipped: on => pane.settings.playSounds = on
            }
        }
        SettingsRow {
            title: "Som ao copiar"
            divider: false

            Picker {
                width: 130
                enabled: pane.settings.playSounds
                model: pane.settings.soundNames
                selected: pane.settings.soundIndex
                Accessible.name: "Som ao copiar"
                onChosen: index => pane.settings.chooseSound(index)
            }
            PushButton {
                width: 34
                text: "▶"
                enabled: pane.settings.playSounds
                Accessible.name: "Ouvir"
                ToolTip.visible: hovered
                ToolTip.text: "Ouvir"
                onClicked: pane.settings.previewSound()
            }
        }
    }
}
