import QtQuick
import Codeorchardist

// The full name (and branch) of the hovered mindmap node at a readable size, shown above the
// node when the canvas leaves its label out or cuts it.
Rectangle {
    id: label

    // The MindmapCanvas (hovered node) and the item whose coordinates are the canvas's.
    required property var nodes
    required property Item canvas
    // The window's zoom state: the label follows the canvas when it moves.
    required property var zoom

    readonly property rect box: nodes.hoveredRect
    readonly property point anchorPoint: {
        zoom.graphScale, zoom.graphOffset // re-evaluated when the canvas moves
        return canvas.mapToItem(parent, box.x + box.width / 2, box.y)
    }

    x: Math.max(4, Math.min(parent.width - width - 4, anchorPoint.x - width / 2))
    y: Math.max(4, anchorPoint.y - height - 6)
    width: Math.min(Math.max(nameText.implicitWidth, branchText.implicitWidth) + 16, 480)
    height: column.implicitHeight + 10
    radius: 6
    color: Theme.controlBackground
    border.color: Theme.separator
    border.width: 1

    Column {
        id: column
        anchors.centerIn: parent
        width: label.width - 16
        Text {
            id: nameText
            width: parent.width
            text: label.nodes.hoveredName
            textFormat: Text.PlainText
            elide: Text.ElideMiddle
            font: Theme.styled("subheadline", Font.DemiBold)
            color: Theme.primary
        }
        Text {
            id: branchText
            width: parent.width
            visible: text !== ""
            text: label.nodes.hoveredBranch
            textFormat: Text.PlainText
            elide: Text.ElideRight
            font: Theme.font.caption2
            color: Theme.color("purple")
        }
    }
}
