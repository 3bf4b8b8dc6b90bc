import QtQuick
import Varu.Preview

// A card's text, scrollable: plain text on the glass, rich text rendered on a white page.
Flickable {
    id: flick
    required property PreviewState preview
    readonly property bool rich: flick.preview.mode === PreviewMode.RichText

    contentWidth: width
    contentHeight: body.implicitHeight + 32
    boundsBehavior: Flickable.StopAtBounds

    TextEdit {
        id: body
        x: 18
        y: 16
        width: flick.width - 36
        readOnly: true
        selectByMouse: false
        activeFocusOnPress: false
        wrapMode: TextEdit.Wrap
        textFormat: flick.rich ? TextEdit.RichText : TextEdit.PlainText
        text: flick.preview.text
        color: flick.rich ? "black" : flick.preview.link ? "#78aeed" : Qt.rgba(1, 1, 1, 0.93)
        font.pixelSize: 15
    }
}
