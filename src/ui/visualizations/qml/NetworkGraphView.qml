import QtQuick
import QtQuick.Controls
import Codeorchardist

// The Graph mode: the mindmap canvas scaled about its centre by the window's graphScale and
// moved by its graphOffset. Dragging pans (from 10 points of movement on), the wheel zooms about
// the pointer, a tap on a node highlights its line and selects its project, a tap on the
// background clears the highlight, a double tap on the background fits the whole graph.
// Hovering a node shows its tooltip.
Item {
    id: root

    required property var viewModel
    // The window's zoom state: graphScale and graphOffset, read and written here.
    required property var zoom

    readonly property alias mindmap: mindmapModel
    readonly property alias panner: pan
    readonly property alias canvas: content

    clip: true
    focus: true
    Keys.onPressed: (event) => actionsMenu.handleKey(event, root)
    ProjectContextMenu { id: actionsMenu; viewModel: root.viewModel }

    MindmapModel {
        id: mindmapModel
        viewModel: root.viewModel
    }

    MindmapPanner { id: pan }

    readonly property size canvasSize: Qt.size(mindmapModel.canvasWidth, mindmapModel.canvasHeight)
    readonly property rect visibleCanvas: pan.visibleCanvasRect(Qt.size(width, height), canvasSize,
                                                                root.zoom.graphScale, root.zoom.graphOffset)

    // The zoom panel's reset and fit centre with these.
    Binding { target: root.zoom; property: "viewportSize"; value: Qt.size(root.width, root.height) }
    Binding { target: root.zoom; property: "canvasSize"; value: root.canvasSize }
    Binding { target: root.zoom; property: "drawingRect"; value: content.nodes.drawingRect }

    // The ready canvas was shown for the first time.
    signal opened()
    // Where the match badge lies over the view (empty while hidden), for a fit to keep clear.
    readonly property rect badgeRect: badge.visible ? Qt.rect(badge.x, badge.y, badge.width, badge.height)
                                                    : Qt.rect(0, 0, 0, 0)

    // The projects that pass the filter in view, or the whole drawing when nothing filters.
    function fitMatches() {
        if (!mindmapModel.filterActive) root.zoom.fit()
        else if (mindmapModel.matchCount > 0) root.zoom.fitTo(content.nodes.matchBounds(), 1.0)
    }

    // The first time the ready canvas is shown, centre it.
    function centreOnce() {
        if (pan.hasInitialized || !mindmapModel.ready || width <= 0 || height <= 0) return
        root.zoom.graphOffset = pan.initialize(Qt.size(width, height), canvasSize, root.zoom.graphOffset)
        opened()
    }
    Component.onCompleted: centreOnce()
    onWidthChanged: centreOnce()
    onHeightChanged: centreOnce()
    Connections {
        target: mindmapModel
        function onGraphChanged() { root.centreOnce() }
    }

    function tapNode(path) {
        const projectId = mindmapModel.tapNode(path)
        if (projectId !== "" && root.viewModel) root.viewModel.selectProject(projectId)
    }

    Column {
        objectName: "loading"
        anchors.centerIn: parent
        visible: !mindmapModel.ready
        spacing: 8
        BusyIndicator {
            anchors.horizontalCenter: parent.horizontalCenter
            running: parent.visible
        }
        Label {
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("Loading mindmap...")
            color: Theme.secondary
        }
    }

    Item {
        id: viewport
        anchors.fill: parent
        visible: mindmapModel.ready

        Rectangle {
            anchors.fill: parent
            color: Theme.textBackground
        }

        MindmapContent {
            id: content
            mindmap: mindmapModel
            pixelScale: root.zoom.graphScale
            visibleRect: root.visibleCanvas
            transform: [
                Scale {
                    origin.x: content.width / 2
                    origin.y: content.height / 2
                    xScale: root.zoom.graphScale
                    yScale: root.zoom.graphScale
                },
                Translate {
                    x: root.zoom.graphOffset.width
                    y: root.zoom.graphOffset.height
                }
            ]
            onNodeTapped: (path) => root.tapNode(path)
            onBackgroundTapped: mindmapModel.tapBackground()
        }

        TapHandler {
            function canvasPoint(eventPoint) {
                return content.mapFromItem(viewport, eventPoint.position.x, eventPoint.position.y)
            }
            onTapped: (eventPoint) => { root.forceActiveFocus(); content.tapAt(canvasPoint(eventPoint)) }
            onDoubleTapped: (eventPoint) => {
                const path = content.nodeAt(canvasPoint(eventPoint))
                if (path === "") root.zoom.fit()
                else if (root.viewModel.selectProjectByPath(path))
                    ProjectActions.trigger(root.viewModel, "editor", root.viewModel.selectedProjectId)
            }
        }
        // A right click on a project's node selects it and opens its actions.
        TapHandler {
            acceptedButtons: Qt.RightButton
            onTapped: (eventPoint) => {
                const path = content.nodeAt(content.mapFromItem(viewport, eventPoint.position.x, eventPoint.position.y))
                root.forceActiveFocus()
                if (path !== "" && root.viewModel.selectProjectByPath(path))
                    actionsMenu.openFor(root.viewModel.selectedProjectId, null)
            }
        }
        DragHandler {
            target: null
            dragThreshold: 10
            onTranslationChanged: {
                const offset = pan.dragMoved(Qt.point(translation.x, translation.y), root.zoom.graphOffset)
                if (offset !== undefined) root.zoom.graphOffset = offset
            }
            onActiveChanged: if (!active) pan.dragEnded(root.zoom.graphOffset)
        }
        // With or without Ctrl, as maps do: the point under the pointer stays where it is.
        WheelHandler {
            target: null
            onWheel: (event) => root.zoom.wheelAt(Qt.point(event.x, event.y), event.angleDelta.y / 120)
        }

        MindmapHoverLabel {
            objectName: "hoverLabel"
            nodes: content.nodes
            canvas: content
            zoom: root.zoom
            visible: nodes.hoveredPath !== "" && !pan.dragging
            project: {
                const id = mindmapModel.projectIdAt(nodes.hoveredPath)
                return id !== "" && root.viewModel ? root.viewModel.projectById(id) : ({})
            }
        }

        MatchBadge {
            id: badge
            viewModel: root.viewModel
            anchors.left: parent.left
            anchors.top: parent.top
            anchors.margins: 16
        }
    }
}
