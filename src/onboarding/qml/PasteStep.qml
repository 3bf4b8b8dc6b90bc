import QtQuick
import Varu.Onboarding

// Typing Ctrl+V into the user's app: how Varu does it, or what happens where it cannot.
StepLayout {
    id: paste
    required property OnboardingModel onboarding

    symbol: "keyboard"
    title: "Colar direto no app"
    text: paste.onboarding.pasteOK
          ? "Para colar com Enter no app em que você está, o Varu digita Ctrl+V por você: "
            + "pela extensão XTest no X11 ou pelo teclado virtual no Wayland."
          : "Este desktop não deixa o Varu digitar em outros apps. Tudo bem: o card "
            + "escolhido vai para o clipboard e você cola com Ctrl+V. Esta tela atualiza "
            + "sozinha."
    ok: paste.onboarding.pasteOK
    okText: "Colagem direta ativada"
}
