import QtQuick
import Codeorchardist

// The Graph mode: the mindmap with the zoom panel in the bottom-right corner. It opens with the
// whole drawing in view (the matches, while a search or filter narrows the projects), and a
// change of the search or filter brings the matches into view.
Item {
    id: screen
    objectName: "graphScreen"

    required property var viewModel
    required property GraphZoom zoom

    // Ctrl+0: the whole graph in the window.
    Shortcut {
        sequence: "Ctrl+0"
        onActivated: screen.zoom.fit()
    }

    // A fit keeps the drawing clear of what lies over it.
    Binding {
        target: screen.zoom
        property: "coveredRects"
        value: [Qt.rect(panel.x, panel.y, panel.width, panel.height), graph.badgeRect]
    }

    NetworkGraphView {
        id: graph
        anchors.fill: parent
        focus: true
        viewModel: screen.viewModel
        zoom: screen.zoom
        onOpened: Qt.callLater(graph.fitMatches)
    }
    Connections {
        target: screen.viewModel
        function onFilterStateChanged() { Qt.callLater(graph.fitMatches) }
    }
    ZoomPanel {
        id: panel
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: compact ? 12 : 24
        // In a small window the panel is one row of small buttons along the bottom edge.
        compact: screen.height < 760 || screen.width < 720
        zoom: screen.zoom
    }
}
