import QtQuick
import Codeorchardist

// A soft shadow behind its parent's rounded shape, drawn from one shared pre-rendered
// nine-patch per look instead of an offscreen layer per item. Fill the shape's parent.
BorderImage {
    id: shadow

    property real cornerRadius: 0
    property real blurRadius: 8
    property color shadowColor: Qt.rgba(0, 0, 0, 0.1)
    property real offsetX: 0
    property real offsetY: 0

    readonly property real reach: Shadows.extent(blurRadius)

    anchors.fill: parent
    anchors.leftMargin: -reach + offsetX
    anchors.rightMargin: -reach - offsetX
    anchors.topMargin: -reach + offsetY
    anchors.bottomMargin: -reach - offsetY
    z: -1

    source: Shadows.source(cornerRadius, blurRadius, shadowColor)
    readonly property int edge: Shadows.border(cornerRadius, blurRadius)
    border.left: edge
    border.right: edge
    border.top: edge
    border.bottom: edge
    smooth: true
    cache: true
    asynchronous: false
}
