pragma ComponentBehavior: Bound

import QtQuick
import Varu.Strip

// The strip: the tab bar, the kind filter and the search field on top, the row of cards (or
// what to do when there is none) below, on the strip's glass.
Item {
    id: root
    required property StripModel strip
    required property CardListModel cards
    required property TabListModel tabs
    required property StripChrome chrome
    required property CardInteraction interaction  // clicks and menus on cards

    // Glass: see-through where a compositor blends it, solid otherwise (the window's shape
    // cuts the corners then).
    Rectangle {
        anchors.fill: parent
        radius: 30
        color: root.chrome.translucent ? Theme.panelTranslucent : Theme.panelOpaque
        border.color: Theme.panelEdge
        border.width: 1
    }

    Item {
        id: header
        x: 18
        y: 14
        width: parent.width - 36
        height: 30

        TabBar {
            anchors.left: parent.left
            anchors.verticalCenter: parent.verticalCenter
            width: Math.min(implicitWidth, 640, header.width - tools.width - 12)
            strip: root.strip
            tabs: root.tabs
            chrome: root.chrome
            cardDrag: root.interaction.drag
        }
        Row {
            id: tools
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            spacing: 12
            FilterBar {
                anchors.verticalCenter: parent.verticalCenter
                strip: root.strip
                chrome: root.chrome
            }
            SearchField {
                id: search
                anchors.verticalCenter: parent.verticalCenter
                strip: root.strip
                chrome: root.chrome
            }
        }
    }

    Item {
        id: cardArea
        anchors.top: header.bottom
        anchors.topMargin: 14
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 14

        // The surface behind the cards: a press there starts a band at once, and a plain
        // click leaves the focused card alone selected.
        MouseArea {
            id: surface
            anchors.fill: parent
            visible: root.cards.count > 0
            preventStealing: true
            onPressed: mouse => {
                const window = surface.Window.window
                if (window && !window.active)
                    window.requestActivate()
                root.beginBand(surface.mapToItem(null, mouse.x, mouse.y),
                               (mouse.modifiers & (Qt.ShiftModifier | Qt.ControlModifier
                                                   | Qt.MetaModifier)) !== 0)
            }
            onPositionChanged: mouse => root.moveBand(surface.mapToItem(null, mouse.x, mouse.y))
            onReleased: root.endBand()
            onCanceled: root.endBand()
        }

        ListView {
            id: list
            objectName: "cardList"
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            height: 254
            visible: root.cards.count > 0
            orientation: ListView.Horizontal
            spacing: 14
            leftMargin: 18
            rightMargin: 18
            clip: true
            // The mouse never flicks the row: a press that moves on it is a band or a drag of
            // cards. The wheel and the touchpad scroll it (below).
            interactive: false
            boundsBehavior: Flickable.StopAtBounds
            cacheBuffer: 1800
            // The focus is the model's; a current item of the view's own would keep an extra
            // card built and slide an invisible highlight after it, frame by frame, for
            // seconds after a search moved it thousands of points.
            currentIndex: -1
            highlightFollowsCurrentItem: false
            model: root.cards
            delegate: CardView {
                id: cardView
                y: 8
                animates: root.cards.animates
                CardMouseArea {
                    anchors.fill: parent
                    cardID: cardView.cardID
                    interaction: root.interaction
                    menu: cardMenu
                    onBandStarted: (at, additive) => root.beginBand(at, additive)
                    onBandMoved: at => root.moveBand(at)
                    onBandEnded: root.endBand()
                }
            }

            NumberAnimation {
                id: scroll
                target: list
                property: "contentX"
                duration: 180
                easing.type: Easing.OutCubic
            }

            // Centres a card (or, with `contain`, brings it just into view), sliding there
            // unless asked to jump.
            function reveal(row: int, animated: bool, contain: bool) {
                if (row < 0 || row >= count)
                    return
                scroll.stop()
                const from = contentX
                positionViewAtIndex(row, contain ? ListView.Contain : ListView.Center)
                const to = contentX
                if (!animated || from === to)
                    return
                contentX = from
                scroll.from = from
                scroll.to = to
                scroll.start()
            }

            // A vertical wheel or touchpad scrolls the row sideways.
            WheelHandler {
                acceptedDevices: PointerDevice.Mouse | PointerDevice.TouchPad
                onWheel: event => {
                    const pixels = event.pixelDelta.y !== 0 ? event.pixelDelta.y : event.pixelDelta.x
                    const angle = event.angleDelta.y !== 0 ? event.angleDelta.y : event.angleDelta.x
                    const delta = pixels !== 0 ? pixels : angle
                    scroll.stop()
                    list.contentX = Math.max(list.originX - list.leftMargin,
                                             Math.min(list.contentX - delta,
                                                      list.originX + list.contentWidth
                                                      + list.rightMargin - list.width))
                }
            }
        }

        // The band, over the cards, clipped to the row's area.
        Item {
            anchors.fill: parent
            clip: true
            Rectangle {
                readonly property Marquee band: root.interaction.marquee
                visible: band.active && (band.bandWidth > 1 || band.bandHeight > 1)
                x: band.bandX - list.contentX + list.x
                y: band.bandY - list.contentY + list.y
                width: band.bandWidth
                height: band.bandHeight
                radius: 6
                color: Theme.withAlpha(Theme.accent, 0.16)
                border.color: Theme.withAlpha(Theme.accent, 0.85)
                border.width: 1.5
            }
        }

        // While a band is drawn, the pointer near an end of the row scrolls it.
        Timer {
            interval: 16
            repeat: true
            running: root.interaction.marquee.active
            onTriggered: {
                const at = list.mapFromItem(null, root.bandPointer.x, root.bandPointer.y)
                const edge = 48
                const step = at.x < edge ? -Math.min(24, (edge - at.x) / 2)
                           : at.x > list.width - edge ? Math.min(24, (at.x - list.width + edge) / 2)
                           : 0
                if (step === 0)
                    return
                const least = list.originX - list.leftMargin
                const most = list.originX + list.contentWidth + list.rightMargin - list.width
                const to = Math.max(least, Math.min(most, list.contentX + step))
                if (to === list.contentX)
                    return
                list.contentX = to
                root.moveBand(root.bandPointer)
            }
        }

        CardContextMenu {
            id: cardMenu
            objectName: "cardMenu"
            chrome: root.chrome
            interaction: root.interaction
        }

        EmptyState {
            anchors.centerIn: parent
            visible: root.cards.count === 0
            chrome: root.chrome
        }
    }

    // A band, in window coordinates; the marquee works in the row's content coordinates.
    property point bandPointer
    function beginBand(at: point, additive: bool) {
        scroll.stop()
        root.interaction.marquee.begin(list.contentItem.mapFromItem(null, at.x, at.y), additive)
        root.moveBand(at)
    }
    function moveBand(at: point) {
        root.bandPointer = at
        root.interaction.marquee.update(list.contentItem.mapFromItem(null, at.x, at.y),
                                        list.contentX, list.contentX + list.width)
    }
    function endBand() { root.interaction.marquee.end() }

    // The keyboard's focus is slid to the middle of the row. A card the pointer selected stays
    // under the pointer, so that a second click lands on it; once no double click can follow,
    // a card cut by the row's edge is brought into view.
    Connections {
        target: root.cards
        function onFocusMoved(row: int, animated: bool) {
            if (!root.interaction.pointerSelecting()) {
                list.reveal(row, animated, false)
            } else if (!root.interaction.marquee.active) {
                revealLater.row = row
                revealLater.restart()
            }
        }
    }
    Timer {
        id: revealLater
        property int row: -1
        interval: root.interaction.doubleClickInterval
        onTriggered: {
            if (!root.interaction.marquee.active && revealLater.row === root.cards.selectedRow)
                list.reveal(revealLater.row, true, true)
        }
    }
    Connections {
        target: root.chrome
        function onShown() { list.reveal(Math.max(0, root.cards.selectedRow), false, false) }
    }

    // The search field takes the keyboard when the strip opens and whenever the model asks,
    // unless an editor is open.
    Connections {
        target: root.strip
        function onFocusTokenChanged() {
            if (!root.strip.hasOverlay)
                search.input.forceActiveFocus()
        }
    }
    Component.onCompleted: search.input.forceActiveFocus()
    // A menu that closes leaves the keyboard to the window itself; typing goes back to the
    // search field (an editor opened from the menu keeps it).
    Connections {
        target: root.chrome
        function onMenuOpenChanged() {
            if (!root.chrome.menuOpen && !root.strip.hasOverlay)
                search.input.forceActiveFocus()
        }
    }

    // The card editor and the tab editor, over everything while open. Loaded by address with
    // their models: a Loader of Qt 6.4 refuses components bound to this file.
    Loader {
        id: editOverlay
        anchors.fill: parent
        active: root.strip.editorOpen
        Component.onCompleted: editOverlay.setSource("EditOverlay.qml", {strip: root.strip})
    }
    Loader {
        id: tabEditorOverlay
        anchors.fill: parent
        active: root.strip.tabEditorOpen
        Component.onCompleted: tabEditorOverlay.setSource("TabEditorOverlay.qml",
                                                          {strip: root.strip, chrome: root.chrome})
    }
}
