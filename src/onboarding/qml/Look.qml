pragma Singleton
import QtQuick

// Colours and picture addresses of the onboarding window: a light page with the accent of the
// strip.
QtObject {
    readonly property color accent: "#3584e4"
    readonly property color accentPressed: "#1c71d8"
    readonly property color green: "#2ec27e"
    readonly property color page: "#fafafb"
    readonly property color primary: "#1d1d21"
    readonly property color secondary: "#5e5e66"
    readonly property color button: "#e8e8ec"
    readonly property color buttonPressed: "#d6d6dc"
    readonly property color keyCap: "#ffffff"
    readonly property color keyCapEdge: "#c9c9d1"
    readonly property color notice: "#fdf1d8"

    function withAlpha(c: color, a: real): color {
        return Qt.rgba(c.r, c.g, c.b, a)
    }

    // A symbol from the icon theme, drawn in one colour.
    function symbol(name: string, tint: color): string {
        return "image://onboarding/symbol/" + name + "/" + argb(tint)
    }

    function argb(c: color): string {
        function two(v) {
            const s = Math.round(v * 255).toString(16)
            return s.length < 2 ? "0" + s : s
        }
        return two(c.a) + two(c.r) + two(c.g) + two(c.b)
    }
}
