import QtQuick
import Varu.Strip

// The mouse over one card: presses and double clicks go to the card interaction, a right
// click opens the card's menu. A press that moves draws a band when it goes sideways and drags
// the cards otherwise. Only the card's rounded shape answers; the corners outside it belong to
// the row behind.
MouseArea {
    id: area
    required property string cardID
    required property CardInteraction interaction
    required property CardContextMenu menu
    property real radius: 20
    // Window coordinates of the press, and what the moving pointer turned out to do.
    property point pressedAt
    property int pressModifiers: 0
    property int gesture: CardInteraction.Undecided

    // A band that started on this card; points in window coordinates.
    signal bandStarted(point at, bool additive)
    signal bandMoved(point at)
    signal bandEnded()

    acceptedButtons: Qt.LeftButton | Qt.RightButton
    preventStealing: true

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
        if (mouse.button !== Qt.LeftButton)
            return
        area.pressedAt = area.mapToItem(null, mouse.x, mouse.y)
        area.pressModifiers = mouse.modifiers
        area.gesture = CardInteraction.Undecided
        area.interaction.press(area.cardID, mouse.modifiers,
                               (mouse.flags & Qt.MouseEventCreatedDoubleClick) !== 0)
    }
    onPositionChanged: mouse => {
        if (!(mouse.buttons & Qt.LeftButton))
            return
        const at = area.mapToItem(null, mouse.x, mouse.y)
        if (area.gesture === CardInteraction.Band) {
            area.bandMoved(at)
            return
        }
        if (area.gesture !== CardInteraction.Undecided)
            return
        area.gesture = area.interaction.follow(at.x - area.pressedAt.x, at.y - area.pressedAt.y)
        if (area.gesture === CardInteraction.Band) {
            area.bandStarted(area.pressedAt,
                             (area.pressModifiers & (Qt.ShiftModifier | Qt.ControlModifier
                                                     | Qt.MetaModifier)) !== 0)
            area.bandMoved(at)
        } else if (area.gesture === CardInteraction.Drag) {
            area.interaction.startDrag(area)
        }
    }
    onReleased: mouse => {
        if (mouse.button !== Qt.LeftButton)
            return
        if (area.gesture === CardInteraction.Band)
            area.bandEnded()
        else
            area.interaction.release(area.cardID)
        area.gesture = CardInteraction.Undecided
    }
    onCanceled: {
        if (area.gesture === CardInteraction.Band)
            area.bandEnded()
        area.gesture = CardInteraction.Undecided
        area.interaction.cancel()
    }
    onClicked: mouse => {
        if (mouse.button === Qt.RightButton)
            area.menu.openFor(area.cardID)
    }
}
