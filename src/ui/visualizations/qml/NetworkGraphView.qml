import QtQuick
import QtQuick.Controls

// Placeholder until the real view lands.
Item {
    id: root
    required property var viewModel
    // The window's zoom state (graphScale, graphOffset), read and written by this view.
    required property var zoom
    Label { anchors.centerIn: parent; text: "NetworkGraphView" }
}
