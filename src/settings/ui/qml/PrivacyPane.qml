import QtQuick
import Varu.Settings

// Privacidade: the secret-text filter and the applications whose copies are never kept.
Column {
    id: pane

    required property SettingsModel settings
    required property IgnoredAppsModel ignored
    signal addApps

    spacing: 22

    SettingsGroup {
        width: pane.width
        title: "Conteúdo sensível"
        footer: "Conteúdo marcado como senha ou temporário pelos apps (por exemplo, "
                + "gerenciadores de senha) nunca é guardado."

        SettingsRow {
            title: "Ignorar senhas e tokens"
            subtitle: "Não guarda textos como “senha: …”, “token = …” ou “api_key: …”."
            divider: false

            ToggleSwitch {
                objectName: "skipSecretsSwitch"
                checked: pane.settings.skipSecrets
                Accessible.name: "Ignorar senhas e tokens"
                onFlipped: on => pane.settings.skipSecrets = on
            }
        }
    }

    SettingsGroup {
        width: pane.width
        title: "Apps ignorados"
        footer: "O que você copia nesses apps não entra no Varu."

        Repeater {
            model: pane.ignored

            IgnoredAppRow {
                onRemove: id => pane.settings.removeIgnoredApp(id)
            }
        }
        PushButton {
            objectName: "addAppButton"
            x: 14
            flat: true
            text: "+  Adicionar app…"
            Accessible.name: "Adicionar app"
            onClicked: pane.addApps()
        }
    }
}
