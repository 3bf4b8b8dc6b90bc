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
                }
            }

            NumberAnimation {
                id: scroll
                target: list
                property: "contentX"
                duration: 180
                easing.type: Easing.OutCubic
            }

            // Centres a card, sliding there unless asked to jump.
            function reveal(row: int, animated: bool) {
                if (row < 0 || row >= count)
                    return
                scroll.stop()
                const from = contentX
                positionViewAtIndex(row, ListView.Center)
                const to = contentX
                if (!animated || from === to)
                    return
                contentX = from
                scroll.from = from
                scroll.to = to
                scroll.start()
            }

            // A vertical wheel scrolls the row sideways.
            WheelHandler {
                acceptedDevices: PointerDevice.Mouse
                onWheel: event => {
                    const delta = event.angleDelta.y !== 0 ? event.angleDelta.y : event.angleDelta.x
                    scroll.stop()
                    list.contentX = Math.max(list.originX - list.leftMargin,
                                             Math.min(list.contentX - delta,
                                                      list.originX + list.contentWidth
                                                      + list.rightMargin - list.width))
                }
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

    Connections {
        target: root.cards
        function onFocusMoved(row: int, animated: bool) { list.reveal(row, animated) }
    }
    Connections {
        target: root.chrome
        function onShown() { list.reveal(Math.max(0, root.cards.selectedRow), false) }
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
