pragma ComponentBehavior: Bound

import QtQuick
import Varu.Strip

// One round button per kind of card; the active one is washed in the accent colour and a
// second click on it shows every kind again.
Row {
    id: bar
    required property StripModel strip
    required property StripChrome chrome

    spacing: 4
    Repeater {
        model: bar.chrome.filters
        delegate: CircleButton {
            id: filter
            required property var modelData  // {label, symbol}
            required property int index
            symbol: filter.modelData.symbol
            tip: filter.modelData.label
            tint: bar.strip.kindFilter === filter.index ? Theme.withAlpha(Theme.accent, 0.5)
                                                 : "transparent"
            onClicked: bar.strip.kindFilter = (bar.strip.kindFilter === filter.index ? -1
                                                                              : filter.index)
        }
    }
}
