import QtQuick
import Codeorchardist

// The Graph mode: the mindmap with the zoom panel in the bottom-right corner.
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

    NetworkGraphView {
        anchors.fill: parent
        focus: true
        viewModel: screen.viewModel
        zoom: screen.zoom
    }
    ZoomPanel {
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 24
        zoom: screen.zoom
    }
}
