import QtQuick
import QtQuick.Controls
import Codeorchardist

// The compact sync marks of a project (ahead, behind, stash, conflicts, problem), each with
// its tooltip. `sync` is the project map's "sync" entry.
Row {
    id: marks
    objectName: "syncMarks"

    property var sync: null

    spacing: 4
    visible: repeater.count > 0

    Repeater {
        id: repeater
        model: marks.sync && marks.sync.marks ? marks.sync.marks : []
        Text {
            required property var modelData
            objectName: "syncMark_" + modelData.kind
            anchors.verticalCenter: parent.verticalCenter
            text: modelData.text
            font: Theme.styled("caption", Font.DemiBold)
            color: Theme.textTone(modelData.color)
            HoverHandler { id: hover }
            ToolTip.visible: hover.hovered
            ToolTip.text: modelData.tooltip
        }
    }
}
