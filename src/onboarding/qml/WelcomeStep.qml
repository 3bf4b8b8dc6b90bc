pragma ComponentBehavior: Bound

import QtQuick
import Varu.Onboarding

// The first step: what Varu is, in one sentence and three promises; and, on a desktop without
// a tray, where to find it instead.
Column {
    id: welcome
    required property OnboardingModel onboarding

    spacing: 14

    Image {
        anchors.horizontalCenter: parent.horizontalCenter
        width: 128
        height: 128
        sourceSize.width: 128
        sourceSize.height: 128
        source: "image://onboarding/appicon"
    }
    Text {
        anchors.horizontalCenter: parent.horizontalCenter
        text: "Bem-vindo ao Varu"
        font.pixelSize: 30
        font.bold: true
        color: Look.primary
    }
    Text {
        width: welcome.width
        text: "Tudo o que você copia fica guardado numa faixa embaixo da tela. Abra com um "
              + "atalho, ache o que precisa e cole em qualquer app."
        font.pixelSize: 15
        lineHeight: 1.15
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        color: Look.secondary
    }
    Column {
        anchors.horizontalCenter: parent.horizontalCenter
        topPadding: 6
        spacing: 10
        Repeater {
            model: [
                { symbol: "lock.shield",
                  text: "Tudo fica no seu computador. Nada é enviado para fora." },
                { symbol: "pin", text: "Tabs permanentes para o que você sempre usa." },
                { symbol: "eye.slash",
                  text: "Senhas e conteúdo de gerenciadores de senha são ignorados." }
            ]
            delegate: Row {
                id: bullet
                required property var modelData
                spacing: 8
                Image {
                    anchors.verticalCenter: parent.verticalCenter
                    width: 22
                    height: 16
                    fillMode: Image.PreserveAspectFit
                    sourceSize.width: 16
                    sourceSize.height: 16
                    source: Look.symbol(bullet.modelData.symbol, Look.accent)
                }
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    text: bullet.modelData.text
                    font.pixelSize: 14
                    color: Look.primary
                }
            }
        }
    }
    Rectangle {
        visible: !welcome.onboarding.trayAvailable
        anchors.horizontalCenter: parent.horizontalCenter
        width: welcome.width
        height: notice.implicitHeight + 16
        radius: 8
        color: Look.notice
        Text {
            id: notice
            anchors.centerIn: parent
            width: parent.width - 24
            text: "Este desktop não tem bandeja do sistema, então o Varu não mostra ícone. "
                  + "Ele continua rodando: abra a faixa com o atalho ou com o comando varu."
            font.pixelSize: 13
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            color: Look.primary
        }
    }
}
