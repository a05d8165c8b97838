import QtQuick
import Codeorchardist

// The hovered mindmap node's tooltip: its full name and, for a project, its kind and branch,
// its sync state and why it needs attention, above the node (below it near the top edge).
Rectangle {
    id: label

    // The MindmapCanvas (hovered node) and the item whose coordinates are the canvas's.
    required property var nodes
    required property Item canvas
    // The window's zoom state: the label follows the canvas when it moves.
    required property var zoom
    // The hovered project's record (ProjectsViewModel.projectById), or an empty map.
    property var project: ({})

    readonly property var sync: project.sync || ({})
    readonly property rect box: nodes.hoveredRect
    readonly property point nodeTop: {
        zoom.graphScale, zoom.graphOffset // re-evaluated when the canvas moves
        return canvas.mapToItem(parent, box.x + box.width / 2, box.y)
    }
    readonly property real nodeBottom: {
        zoom.graphScale, zoom.graphOffset
        return canvas.mapToItem(parent, 0, box.y + box.height).y
    }

    x: Math.max(4, Math.min(parent.width - width - 4, nodeTop.x - width / 2))
    y: nodeTop.y - height - 6 >= 4 ? nodeTop.y - height - 6 : Math.min(parent.height - height - 4, nodeBottom + 6)
    width: Math.min(column.implicitWidth, 480) + 16
    height: column.implicitHeight + 10
    radius: 6
    color: Theme.controlBackground
    border.color: Theme.separator
    border.width: 1

    component Line: Text {
        width: Math.min(implicitWidth, 480)
        visible: text !== ""
        textFormat: Text.PlainText
        elide: Text.ElideMiddle
        font: Theme.font.caption
        color: Theme.secondary
    }

    Column {
        id: column
        anchors.centerIn: parent
        Line {
            objectName: "hoverName"
            text: label.nodes.hoveredName
            font: Theme.styled("subheadline", Font.DemiBold)
            color: Theme.primary
        }
        Line {
            objectName: "hoverKind"
            text: label.project.type || ""
        }
        Line {
            objectName: "hoverBranch"
            text: label.sync.branchText || label.nodes.hoveredBranch
            color: Theme.textTone("purple")
        }
        Line {
            objectName: "hoverSync"
            text: label.sync.summary || ""
            color: Theme.primary
        }
        Line {
            objectName: "hoverAttention"
            text: label.sync.attentionText ? "Needs attention: " + label.sync.attentionText : ""
            color: Theme.textTone("red")
        }
    }
}
