import QtQuick
import Codeorchardist

// The 14-day activity strip: the cell of the day of the last change solid green, the days
// before it faint green, the rest faint gray.
Column {
    id: bar

    property var lastModified: null
    property string lastModifiedText: ""
    // Keeps the faint cells' shading the same from one redraw to the next.
    property string seed: ""

    readonly property var cells: CardMetrics.activityCells(lastModified, seed)
    readonly property alias cellRepeater: strip

    spacing: 4

    Item {
        width: bar.width
        height: activityTitle.implicitHeight
        Text {
            textFormat: Text.PlainText
            id: activityTitle
            text: qsTr("Activity")
            font: Theme.font.caption2
            color: Theme.secondary
        }
        Text {
            textFormat: Text.PlainText
            anchors.right: parent.right
            text: bar.lastModifiedText
            font: Theme.font.caption2
            color: Theme.secondary
        }
    }
    Row {
        spacing: 2
        Repeater {
            id: strip
            model: 14
            Rectangle {
                required property int index
                readonly property var cell: bar.cells[index]
                width: Math.max(0, (bar.width - 26) / 14)
                height: 20
                radius: 2
                color: Theme.tint(cell.color, cell.opacity)
            }
        }
    }
}
