pragma ComponentBehavior: Bound

import QtQuick
import Varu.Onboarding

// The live test of the shortcut: its keys (or, where the desktop keeps global shortcuts to
// itself, the command to bind), a green confirmation once it worked, and launch at login.
Column {
    id: shortcut
    required property OnboardingModel onboarding

    spacing: 14

    Text {
        anchors.horizontalCenter: parent.horizontalCenter
        text: "Experimente o atalho"
        font.pixelSize: 26
        font.bold: true
        color: Look.primary
    }
    Text {
        width: shortcut.width
        text: shortcut.onboarding.triedShortcut
              ? "Isso aí! A faixa abre em qualquer app. Escolha um card e aperte Enter para "
                + "colar."
              : shortcut.onboarding.hotKeyRegistered
                ? "Aperte o atalho agora, em qualquer lugar, para abrir a faixa do Varu."
                : "Este desktop não deixa o Varu registrar o atalho. Crie um atalho de teclado "
                  + "nas configurações do sistema que rode o comando abaixo, e aperte-o agora."
        font.pixelSize: 15
        lineHeight: 1.15
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        color: Look.secondary
    }
    Row {
        visible: shortcut.onboarding.hotKeyRegistered
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: 10
        Repeater {
            model: shortcut.onboarding.hotKeyKeys
            delegate: KeyCap {
                required property string modelData
                key: modelData
            }
        }
    }
    Rectangle {
        visible: !shortcut.onboarding.hotKeyRegistered
        anchors.horizontalCenter: parent.horizontalCenter
        width: command.implicitWidth + 40
        height: 48
        radius: 10
        color: Look.primary
        Text {
            id: command
            anchors.centerIn: parent
            text: "varu toggle"
            font.family: "monospace"
            font.pixelSize: 20
            color: "white"
        }
    }
    Row {
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: 6
        opacity: shortcut.onboarding.triedShortcut ? 1 : 0
        Image {
            anchors.verticalCenter: parent.verticalCenter
            width: 18
            height: 18
            sourceSize.width: 18
            sourceSize.height: 18
            source: Look.symbol("checkmark.circle.fill", Look.green)
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: "Atalho funcionando"
            font.pixelSize: 14
            font.weight: Font.DemiBold
            color: Look.green
        }
    }
    ToggleSwitch {
        anchors.horizontalCenter: parent.horizontalCenter
        text: "Abrir o Varu ao iniciar sessão"
        checked: shortcut.onboarding.loginOn
        onToggled: on => shortcut.onboarding.setLogin(on)
    }
    Text {
        width: shortcut.width
        text: shortcut.onboarding.trayAvailable
              ? "O Varu fica na bandeja do sistema, sem ícone na barra de tarefas."
              : "Sem bandeja do sistema neste desktop: abra o Varu pelo atalho ou pelo "
                + "comando varu."
        font.pixelSize: 13
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        color: Look.secondary
    }
}
