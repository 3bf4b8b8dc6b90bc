import QtQuick
import Varu.Onboarding

// Reading the clipboard without focus, on desktops that can refuse it: what works there and
// how to keep a copy anyway.
StepLayout {
    id: clip
    required property OnboardingModel onboarding

    symbol: "doc.on.clipboard"
    title: "Acesso ao que você copia"
    text: "Neste desktop, o sistema só deixa um app ler o clipboard quando ele está em foco. "
          + "No X11 e nos desktops Wayland com data-control (KDE Plasma, Sway, Hyprland) o "
          + "Varu guarda tudo sozinho; aqui, use “Guardar agora” depois de copiar."
    ok: clip.onboarding.clipboardOK
    okText: "Acesso permitido"

    PushButton {
        text: "Guardar agora"
        prominent: true
        onClicked: clip.onboarding.readClipboardNow()
    }
}
