pragma Singleton
import QtQuick

// Colours, type sizes and picture addresses shared by the strip's views.
QtObject {
    // Inter (fonts-inter) sets the card headers' widths; without it, the desktop's sans.
    readonly property string fontFamily: "Inter"

    readonly property color accent: "#3584e4"
    readonly property color primary: Qt.rgba(1, 1, 1, 0.93)
    readonly property color secondary: Qt.rgba(1, 1, 1, 0.56)
    readonly property color tertiary: Qt.rgba(1, 1, 1, 0.34)

    // The panel: see-through over a compositor, solid without one.
    readonly property color panelTranslucent: Qt.rgba(0.10, 0.10, 0.12, 0.80)
    readonly property color panelOpaque: "#1e1e22"
    readonly property color panelEdge: Qt.rgba(1, 1, 1, 0.10)

    // Glass pieces on the panel: buttons, chips, the search capsule, cards.
    readonly property color glass: Qt.rgba(1, 1, 1, 0.075)
    readonly property color glassHover: Qt.rgba(1, 1, 1, 0.13)
    readonly property color glassEdge: Qt.rgba(1, 1, 1, 0.08)
    readonly property color card: Qt.rgba(1, 1, 1, 0.065)


    function withAlpha(c, a) {
        return Qt.rgba(c.r, c.g, c.b, a)
    }

    // A symbol from the icon theme, drawn in one colour (a color value).
    function symbol(name, tint) {
        return "image://varu/symbol/" + name + "/" + argb(tint)
    }

    function argb(c) {
        function two(v) {
            const s = Math.round(v * 255).toString(16)
            return s.length < 2 ? "0" + s : s
        }
        return two(c.a) + two(c.r) + two(c.g) + two(c.b)
    }
}
