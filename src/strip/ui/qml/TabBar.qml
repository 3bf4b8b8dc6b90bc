pragma ComponentBehavior: Bound

import QtQuick
import Varu.Strip

// The history chip, one chip per tab and the button for a new tab, scrolling sideways when
// they do not fit.
Flickable {
    id: bar
    required property StripModel strip
    required property TabListModel tabs
    required property StripChrome chrome
    required property CardDrag cardDrag

    implicitWidth: row.width
    height: 34
    contentWidth: row.width
    contentHeight: height
    flickableDirection: Flickable.HorizontalFlick
    boundsBehavior: Flickable.StopAtBounds
    clip: true

    Row {
        id: row
        y: 2
        spacing: 6
        Repeater {
            model: bar.tabs
            delegate: TabChip {
                strip: bar.strip
                chrome: bar.chrome
                cardDrag: bar.cardDrag
            }
        }
        CircleButton {
            symbol: "plus"
            tip: "Nova tab (" + KeyLabels.primary("t") + ")"
            onClicked: bar.strip.beginNewTab([])
        }
    }
}
