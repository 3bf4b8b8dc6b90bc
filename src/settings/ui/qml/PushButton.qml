import QtQuick
import QtQuick.Controls.Fusion
import Varu.Settings

// A button that also answers Return and Enter, not only Space, and names itself to assistive
// technology by its text unless told otherwise.
Button {
    id: button

    property bool destructive: false

    Accessible.name: text
    Keys.onReturnPressed: button.clicked()
    Keys.onEnterPressed: button.clicked()
    palette.buttonText: destructive ? Look.destructive : Look.palette.buttonText
}
