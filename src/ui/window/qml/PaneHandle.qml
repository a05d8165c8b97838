import QtQuick
import Codeorchardist

// The line between two panes of a SplitView: one point wide, with a wider grip to drag.
Rectangle {
    objectName: "paneHandle"
    implicitWidth: 1
    color: Theme.separator
    containmentMask: Item {
        x: -4
        width: 9
        height: parent ? parent.height : 0
    }
    HoverHandler { cursorShape: Qt.SplitHCursor }
}
