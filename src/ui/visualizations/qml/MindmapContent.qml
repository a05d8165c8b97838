import QtQuick
import Codeorchardist

// The mindmap canvas at its own size: the connection lines (one drawing, no input) under the
// nodes. Taps are resolved here: the topmost node under the point, else the background.
Item {
    id: content

    required property MindmapModel mindmap
    property string selectedProjectId: ""
    // Canvas points per screen point, for the lines' one-pixel soft edge.
    property real pixelScale: 1.0

    signal nodeTapped(string path)
    signal backgroundTapped()

    readonly property alias connections: lines
    readonly property alias nodeRepeater: nodes

    width: mindmap.canvasWidth
    height: mindmap.canvasHeight

    // The node under `point` (canvas coordinates), or null; later nodes lie on top.
    function nodeAt(point) {
        let best = null
        for (let i = 0; i < nodes.count; ++i) {
            const item = nodes.itemAt(i)
            if (!item || !item.visible || item.width <= 0) continue
            const local = item.mapFromItem(content, point.x, point.y)
            if (item.contains(local) && (best === null || item.z > best.z)) best = item
        }
        return best
    }

    function tapAt(point) {
        const item = nodeAt(point)
        if (item) item.tapAction()
        else backgroundTapped()
    }

    ConnectionsCanvas {
        id: lines
        anchors.fill: parent
        model: content.mindmap
        pixelScale: content.pixelScale
        colors: ({
            green: Theme.color("green"), cyan: Theme.color("cyan"), primary: Theme.color("primary"),
            orange: Theme.color("orange"), yellow: Theme.color("yellow"), gray: Theme.color("gray"),
            secondary: Theme.color("secondary"), blue: Theme.color("blue"), purple: Theme.color("purple"),
            indigo: Theme.color("indigo"), teal: Theme.color("teal"), pink: Theme.color("pink"),
            red: Theme.color("red")
        })

        NumberAnimation on progress {
            id: transition
            running: false
            from: 0
            to: 1
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
        }
    }

    Item {
        id: nodeLayer
        anchors.fill: parent
        Repeater {
            id: nodes
            model: content.mindmap
            delegate: NodeView {
                selectedProjectId: content.selectedProjectId
                detailed: content.pixelScale >= 0.75
                tapAction: function() { content.nodeTapped(nodeId) }
            }
        }
    }
}
