import QtQuick
import Codeorchardist

// The mindmap canvas at its own size: the connection lines under the nodes, both drawn by
// one item each. Taps are resolved here: the topmost node under the point, else the background.
Item {
    id: content

    required property MindmapModel mindmap
    // Screen points per canvas point.
    property real pixelScale: 1.0
    // The part of the canvas on screen.
    property rect visibleRect: Qt.rect(0, 0, 0, 0)

    signal nodeTapped(string path)
    signal backgroundTapped()

    readonly property alias connections: lines
    readonly property alias nodes: nodeLayer

    width: mindmap.canvasWidth
    height: mindmap.canvasHeight

    // The path of the node under `point` (canvas coordinates), or "".
    function nodeAt(point) { return nodeLayer.nodeAt(point) }

    function tapAt(point) {
        const path = nodeAt(point)
        if (path !== "") nodeTapped(path)
        else backgroundTapped()
    }

    // Nodes whose dimming changed fade over 0.2 s.
    function fadeNodes() {
        fade.stop()
        nodeLayer.progress = 0
        fade.start()
    }

    readonly property var tones: Theme.dark ? Theme.darkTones : Theme.lightTones

    // Lines and nodes are drawn into square tiles fixed to the canvas, at the pixel size they
    // have on screen; panning moves the tiles and draws only the ones it brings in. A change
    // of look (hover, highlight, fading, palette, data) draws the tiles on screen again.
    MindmapTiles {
        id: tileModel
        visibleRect: content.visibleRect
        pixelScale: content.pixelScale
        canvasSize: Qt.size(content.width, content.height)
        window: content.Window.window
    }
    Repeater {
        model: tileModel
        delegate: ShaderEffectSource {
            required property rect rect
            readonly property int generation: tileModel.generation
            x: rect.x
            y: rect.y
            width: rect.width
            height: rect.height
            sourceItem: drawing
            sourceRect: rect
            hideSource: true
            live: false
            smooth: false
            textureSize: Qt.size(Math.ceil(rect.width * content.pixelScale * content.dpr),
                                 Math.ceil(rect.height * content.pixelScale * content.dpr))
            onGenerationChanged: scheduleUpdate()
        }
    }
    readonly property real dpr: Screen.devicePixelRatio > 0 ? Screen.devicePixelRatio : 1

    // Lines under nodes, at canvas coordinates; only drawn into the tiles.
    Item {
        id: drawing
        width: content.width
        height: content.height

        ConnectionsCanvas {
            id: lines
            anchors.fill: parent
            model: content.mindmap
            pixelScale: content.pixelScale
            colors: content.tones
            onLooksChanged: tileModel.restyle()

            NumberAnimation on progress {
                id: transition
                running: false
                from: 0
                to: 1
            }
        }

        MindmapCanvas {
            id: nodeLayer
            objectName: "mindmapNodes"
            anchors.fill: parent
            model: content.mindmap
            tones: content.tones
            backgrounds: ({ controlBackground: Theme.controlBackground, textBackground: Theme.textBackground })
            pixelScale: content.pixelScale
            // Built for the tiles that may be drawn next; their ring is the margin.
            visibleRect: tileModel.coveredRect
            buildMargin: 0
            onLooksChanged: tileModel.restyle()

            NumberAnimation on progress {
                id: fade
                running: false
                from: 0
                to: 1
                duration: 200
                easing.type: Easing.OutQuad
            }
        }
    }

    Connections {
        target: content.mindmap
        function onHighlightChanged(cleared) {
            transition.stop()
            transition.duration = cleared ? 200 : 300
            transition.easing.type = cleared ? Easing.OutQuad : Easing.InOutQuad
            lines.progress = 0
            transition.start()
            content.fadeNodes()
        }
        function onMatchChanged() { content.fadeNodes() }
    }
}
