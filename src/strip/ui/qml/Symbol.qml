import QtQuick
import Varu.Strip

// One symbol from the icon theme at a size, in a colour.
Image {
    property string name
    property color tint: Theme.secondary
    property int size: 12

    width: size
    height: size
    sourceSize.width: size
    sourceSize.height: size
    source: name ? Theme.symbol(name, tint) : ""
    fillMode: Image.PreserveAspectFit
    smooth: true
}
