import QtQuick
import Varu.Strip

// One round button per kind of card; the active one is washed in the accent colour and a
// second click on it shows every kind again.
Row {
    id: bar
    required property var strip   // StripModel
    required property var chrome  // StripChrome

    spacing: 4
    Repeater {
        model: bar.chrome.filters
        delegate: CircleButton {
            required property var modelData
            required property int index
            symbol: modelData.symbol
            tip: modelData.label
            tint: bar.strip.kindFilter === index ? Theme.withAlpha(Theme.accent, 0.5)
                                                 : "transparent"
            onClicked: bar.strip.kindFilter = (bar.strip.kindFilter === index ? -1 : index)
        }
    }
}
