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

    // Lines and nodes are drawn once into a texture of the area the nodes were built for, at
    // the pixel size it has on screen; panning only moves that texture. Any change inside
    // (hover, highlight, a new area after a longer pan, a zoom) draws it again.
    // The item covers that area, and the canvases inside it are moved back so that their own
    // coordinates stay canvas coordinates.
    Item {
        id: drawing
        readonly property rect area: nodeLayer.builtArea
        x: area.x
        y: area.y
        width: area.width
        height: area.height
        layer.enabled: nodeLayer.cacheTextureSize.width > 0
        layer.textureSize: nodeLayer.cacheTextureSize
        layer.smooth: false

        ConnectionsCanvas {
            id: lines
            x: -drawing.x
            y: -drawing.y
            width: content.width
            height: content.height
            model: content.mindmap
            pixelScale: content.pixelScale
            colors: content.tones

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
            x: -drawing.x
            y: -drawing.y
            width: content.width
            height: content.height
            model: content.mindmap
            tones: content.tones
            backgrounds: ({ controlBackground: Theme.controlBackground, textBackground: Theme.textBackground })
            pixelScale: content.pixelScale
            visibleRect: content.visibleRect

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
