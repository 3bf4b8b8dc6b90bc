import QtQuick
import Varu.Strip

// The mouse over one card: presses and double clicks go to the card interaction, a right
// click opens the card's menu. Only the card's rounded shape answers; the corners outside it
// belong to the row behind.
MouseArea {
    id: area
    required property string cardID
    required property var interaction  // CardInteraction
    required property var menu         // CardContextMenu
    property real radius: 20

    acceptedButtons: Qt.LeftButton | Qt.RightButton

    function inShape(px, py) {
        const r = radius
        const cx = Math.max(r, Math.min(width - r, px))
        const cy = Math.max(r, Math.min(height - r, py))
        return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= r * r
    }

    onPressed: mouse => {
        if (!inShape(mouse.x, mouse.y)) {
            mouse.accepted = false
            return
        }
        // The first click counts even when the strip does not have the keyboard yet; it
        // takes it, so the keys that follow reach the strip.
        const window = area.Window.window
        if (window && !window.active)
            window.requestActivate()
        if (mouse.button === Qt.LeftButton)
            interaction.press(cardID, mouse.modifiers,
                              (mouse.flags & Qt.MouseEventCreatedDoubleClick) !== 0)
    }
    onReleased: mouse => {
        if (mouse.button === Qt.LeftButton)
            interaction.release(cardID)
    }
    onCanceled: interaction.cancel()
    onClicked: mouse => {
        if (mouse.button === Qt.RightButton)
            menu.openFor(cardID)
    }
}
