import QtQuick
import Varu.Strip

// The mouse over one card: presses and double clicks go to the card interaction, a right
// click opens the card's menu. Only the card's rounded shape answers; the corners outside it
// belong to the row behind.
MouseArea {
    id: area
    required property string cardID
    required property CardInteraction interaction
    required property CardContextMenu menu
    property real radius: 20

    acceptedButtons: Qt.LeftButton | Qt.RightButton

    function inShape(px: real, py: real): bool {
        const r = area.radius
        const cx = Math.max(r, Math.min(area.width - r, px))
        const cy = Math.max(r, Math.min(area.height - r, py))
        return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= r * r
    }

    onPressed: mouse => {
        if (!area.inShape(mouse.x, mouse.y)) {
            mouse.accepted = false
            return
        }
        // The first click counts even when the strip does not have the keyboard yet; it
        // takes it, so the keys that follow reach the strip.
        const window = area.Window.window
        if (window && !window.active)
            window.requestActivate()
        if (mouse.button === Qt.LeftButton)
            area.interaction.press(area.cardID, mouse.modifiers,
                              (mouse.flags & Qt.MouseEventCreatedDoubleClick) !== 0)
    }
    onReleased: mouse => {
        if (mouse.button === Qt.LeftButton)
            area.interaction.release(area.cardID)
    }
    onCanceled: area.interaction.cancel()
    onClicked: mouse => {
        if (mouse.button === Qt.RightButton)
            area.menu.openFor(area.cardID)
    }
}
