import QtQuick
import QtQuick.Controls.Fusion

// A labelless on/off switch that also answers Return, named after the row it sits in.
Switch {
    id: toggle

    signal flipped(bool on)

    onToggled: toggle.flipped(toggle.checked)
    Keys.onReturnPressed: {
        toggle.toggle()
        toggle.flipped(toggle.checked)
    }
}
