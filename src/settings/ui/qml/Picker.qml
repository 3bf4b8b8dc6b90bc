import QtQuick
import QtQuick.Controls.Fusion

// A pop-up list showing the model's selection (none when `selected` is -1) and reporting the
// user's choice, without taking the selection over from the model.
ComboBox {
    id: picker

    required property int selected
    signal chosen(int index)

    currentIndex: selected
    displayText: currentIndex < 0 ? "" : currentText
    onActivated: index => {
        picker.chosen(index)
        picker.currentIndex = Qt.binding(() => picker.selected)
    }
    Keys.onReturnPressed: picker.popup.open()
}
