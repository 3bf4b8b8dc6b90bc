import QtQuick
import Varu.Strip

// The strip's glass surface for controls: a soft white veil with a hairline edge, lighter
// under the pointer, or washed with a tint.
Rectangle {
    property color tint: "transparent"
    property bool hovered: false

    color: tint.a > 0 ? tint : (hovered ? Theme.glassHover : Theme.glass)
    border.color: Theme.glassEdge
    border.width: 1
    Behavior on color { ColorAnimation { duration: 120 } }
}
