pragma Singleton
import QtQuick

// Colours and sizes of the settings window, taken from the desktop's palette so that the
// window is light or dark with it.
QtObject {
    readonly property SystemPalette palette: SystemPalette {
        colorGroup: SystemPalette.Active
    }
    readonly property color text: palette.windowText
    readonly property color secondary: withAlpha(text, 0.62)
    readonly property color window: palette.window
    readonly property color sidebar: Qt.tint(window, withAlpha(text, 0.035))
    readonly property color groupFill: withAlpha(text, 0.045)
    readonly property color separator: withAlpha(text, 0.16)
    readonly property color accent: palette.highlight
    readonly property color selection: withAlpha(palette.highlight, 0.22)
    readonly property color warning: "#f08c00"
    readonly property color destructive: "#d93a3f"

    // Per pane, in sidebar order: title, glyph on the coloured square, colour.
    readonly property list<string> paneTitles: ["Geral", "Histórico", "Privacidade", "Dados",
        "Sobre"]
    readonly property list<string> paneGlyphs: ["⚙", "◷", "⚑", "⛁", "ℹ"]
    readonly property list<color> paneColors: [Qt.rgba(0.55, 0.56, 0.62, 1),
        Qt.rgba(0.30, 0.52, 0.96, 1), Qt.rgba(0.93, 0.36, 0.40, 1),
        Qt.rgba(0.26, 0.70, 0.45, 1), Qt.rgba(0.58, 0.42, 0.92, 1)]

    function withAlpha(c: color, a: real): color {
        return Qt.rgba(c.r, c.g, c.b, a)
    }
}
