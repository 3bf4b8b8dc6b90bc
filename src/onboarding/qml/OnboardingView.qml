pragma ComponentBehavior: Bound

import QtQuick
import Varu.Onboarding

// The onboarding window's content: one step at a time, faded and slid in over 0.2 s, above a
// footer with Voltar, one dot per step and the primary button (also on Return).
Rectangle {
    id: root
    required property OnboardingModel onboarding

    color: Look.page
    focus: true
    Keys.onReturnPressed: root.onboarding.next()
    Keys.onEnterPressed: root.onboarding.next()

    component Page: Item {
        id: page
        required property int shows
        readonly property bool current: root.onboarding.step === page.shows

        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        opacity: page.current ? 1 : 0
        visible: opacity > 0
        transform: Translate {
            x: page.current ? 0 : 24
            Behavior on x { NumberAnimation { duration: 200; easing.type: Easing.OutQuad } }
        }
        Behavior on opacity { NumberAnimation { duration: 200; easing.type: Easing.OutQuad } }
    }

    Item {
        id: content
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.bottom: footer.top
        anchors.leftMargin: 60
        anchors.rightMargin: 60

        Page {
            shows: OnboardingModel.Welcome
            WelcomeStep {
                anchors.centerIn: parent
                width: parent.width
                onboarding: root.onboarding
            }
        }
        Page {
            shows: OnboardingModel.Clipboard
            ClipboardStep {
                anchors.centerIn: parent
                width: parent.width
                onboarding: root.onboarding
            }
        }
        Page {
            shows: OnboardingModel.Paste
            PasteStep {
                anchors.centerIn: parent
                width: parent.width
                onboarding: root.onboarding
            }
        }
        Page {
            shows: OnboardingModel.Shortcut
            ShortcutStep {
                anchors.centerIn: parent
                width: parent.width
                onboarding: root.onboarding
            }
        }
    }

    Item {
        id: footer
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 20
        height: 34

        PushButton {
            anchors.left: parent.left
            visible: root.onboarding.canGoBack
            text: "Voltar"
            onClicked: root.onboarding.back()
        }
        Row {
            anchors.centerIn: parent
            spacing: 7
            Repeater {
                model: root.onboarding.stepCount
                delegate: Rectangle {
                    required property int index
                    width: 7
                    height: 7
                    radius: 3.5
                    color: index === root.onboarding.stepIndex
                           ? Look.accent : Look.withAlpha(Look.secondary, 0.35)
                }
            }
        }
        PushButton {
            anchors.right: parent.right
            prominent: true
            text: root.onboarding.primaryTitle
            onClicked: root.onboarding.next()
        }
    }
}
