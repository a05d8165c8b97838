import QtQuick
import QtQuick.Controls
import Codeorchardist

// The Tree mode: the folder outline, scrolling both ways and zoomable from 30 % to 300 % by
// pinch, Ctrl + wheel or the zoom panel. A chevron (or Left and Right for the selected project's
// line) folds and unfolds a node; the selected project is scrolled into view, its folders
// unfolded. Only the lines in view exist as items, so an outline of thousands of folders opens
// at once.
Item {
    id: root

    required property var viewModel
    // Where the folded nodes' paths are kept ({folded: [...]}) while the view comes and goes.
    property var foldStore: null

    // Current zoom, and the zoom at the end of the last gesture or button press.
    property real zoomScale: 1.0
    property real lastScale: 1.0

    readonly property alias outline: outlineModel
    readonly property alias listView: list

    function zoomIn() { zoomScale = outlineModel.zoomIn(zoomScale); lastScale = zoomScale }
    function zoomOut() { zoomScale = outlineModel.zoomOut(zoomScale); lastScale = zoomScale }
    function resetZoom() { zoomScale = 1.0; lastScale = 1.0 }
    // A pinch: `magnification` relative to the zoom when the gesture began.
    function pinchTo(magnification) { zoomScale = outlineModel.pinch(lastScale, magnification) }
    function pinchEnded() { lastScale = zoomScale }
    function zoomText(s) { return outlineModel.zoomText(s) }

    TreeOutlineModel {
        id: outlineModel
        viewModel: root.viewModel
        Component.onCompleted: if (root.foldStore) foldedIds = root.foldStore.folded
        onFoldedChanged: if (root.foldStore) root.foldStore.folded = foldedIds
        onReadyChanged: root.showSelection()
    }

    // The selected project's line, unfolded and scrolled into view.
    function showSelection() {
        if (!root.viewModel || root.viewModel.selectedProjectId === "")
            return
        const row = outlineModel.reveal(root.viewModel.selectedProject.path)
        if (row >= 0)
            list.positionViewAtIndex(row, ListView.Contain)
    }
    Connections {
        target: root.viewModel
        function onSelectedProjectChanged() { root.showSelection() }
    }
    // Left and Right fold and unfold around the selected project's line.
    function foldSelection(fold) {
        if (root.viewModel && root.viewModel.selectedProjectId !== "")
            outlineModel.foldAround(root.viewModel.selectedProject.path, fold)
    }
    focus: true
    Keys.onLeftPressed: foldSelection(true)
    Keys.onRightPressed: foldSelection(false)
    // The menu of the keyboard opens over the selected project's line.
    function selectedLine() {
        const row = root.viewModel.selectedProjectId !== "" ? outlineModel.reveal(root.viewModel.selectedProject.path) : -1
        const line = row >= 0 ? list.itemAtIndex(row) : null
        return line ? line : root
    }
    Keys.onPressed: (event) => actionsMenu.handleKey(event, selectedLine)
    ProjectContextMenu { id: actionsMenu; viewModel: root.viewModel }

    Column {
        objectName: "loading"
        anchors.centerIn: parent
        visible: !outlineModel.ready
        spacing: 8
        BusyIndicator {
            anchors.horizontalCenter: parent.horizontalCenter
            running: parent.visible
        }
        Label {
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("Loading tree...")
            color: Theme.secondary
        }
    }

    Rectangle {
        anchors.fill: parent
        visible: outlineModel.ready
        color: Theme.textBackground
    }

    ListView {
        id: list
        objectName: "outline"
        anchors.fill: parent
        visible: outlineModel.ready
        clip: true
        model: outlineModel
        reuseItems: true
        boundsBehavior: Flickable.StopAtBounds
        flickableDirection: Flickable.HorizontalAndVerticalFlick
        contentWidth: Math.max(width, (outlineModel.contentWidth + 60) * root.zoomScale)
        cacheBuffer: 200
        interactive: !pinch.active

        header: Item { width: 1; height: 30 * root.zoomScale }
        footer: Item { width: 1; height: 30 * root.zoomScale }

        delegate: TreeNodeRow {
            width: list.contentWidth
            zoom: root.zoomScale
            selectedProjectId: root.viewModel ? root.viewModel.selectedProjectId : ""
            // Projects outside the search and kind filter are dimmed; the data stays whole.
            dimmed: isProject && root.viewModel !== null && root.viewModel.filterActive
                    && !root.viewModel.matchesFilters(projectId)
            onProjectTapped: (id) => { if (root.viewModel) root.viewModel.selectProject(id); root.forceActiveFocus() }
            onProjectActivated: (id) => ProjectActions.trigger(root.viewModel, "editor", id)
            onProjectMenuRequested: (id) => {
                root.viewModel.selectProject(id)
                root.forceActiveFocus()
                actionsMenu.openFor(id, null)
            }
            onFoldToggled: (id) => outlineModel.toggleFolded(id)
        }

        ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }
        ScrollBar.horizontal: ScrollBar { policy: ScrollBar.AsNeeded }

        PinchHandler {
            id: pinch
            target: null
            onActiveScaleChanged: if (active) root.pinchTo(activeScale)
            onActiveChanged: if (!active) root.pinchEnded()
            // A pinch in progress is not given up to the list's flicking.
            grabPermissions: PointerHandler.CanTakeOverFromAnything
        }
        WheelHandler {
            acceptedModifiers: Qt.ControlModifier
            target: null
            onWheel: (event) => {
                const steps = event.angleDelta.y / 120
                root.zoomScale = outlineModel.wheelZoom(root.zoomScale, steps)
                root.lastScale = root.zoomScale
            }
        }
    }

    MatchBadge {
        viewModel: outlineModel.ready ? root.viewModel : null
        anchors.left: parent.left
        anchors.bottom: parent.bottom
        anchors.margins: 16
    }

    // The zoom panel, floating over the bottom-right corner.
    Rectangle {
        id: panel
        objectName: "zoomPanel"
        visible: outlineModel.ready
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 16
        width: panelRow.implicitWidth + 16
        height: panelRow.implicitHeight + 16
        radius: 8
        color: Theme.tint(Theme.windowBackground, 0.86)
        border.color: Theme.tint(Theme.separator, 0.8)
        border.width: 1

        Row {
            id: panelRow
            anchors.centerIn: parent
            spacing: 8

            Button {
                objectName: "zoomOut"
                anchors.verticalCenter: parent.verticalCenter
                implicitWidth: 30
                implicitHeight: 26
                contentItem: SymbolIcon { name: "minus.magnifyingglass"; size: 14; color: Theme.primary }
                onClicked: root.zoomOut()
            }
            Label {
                objectName: "zoomLabel"
                anchors.verticalCenter: parent.verticalCenter
                width: 40
                horizontalAlignment: Text.AlignHCenter
                text: root.zoomText(root.zoomScale)
                font: Theme.font.caption
                color: Theme.primary
            }
            Button {
                objectName: "zoomIn"
                anchors.verticalCenter: parent.verticalCenter
                implicitWidth: 30
                implicitHeight: 26
                contentItem: SymbolIcon { name: "plus.magnifyingglass"; size: 14; color: Theme.primary }
                onClicked: root.zoomIn()
            }
            Button {
                objectName: "zoomReset"
                anchors.verticalCenter: parent.verticalCenter
                implicitWidth: 30
                implicitHeight: 26
                contentItem: SymbolIcon { name: "arrow.counterclockwise"; size: 14; color: Theme.primary }
                onClicked: root.resetZoom()
            }
        }
    }
}
