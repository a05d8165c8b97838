import QtQuick
import Qt5Compat.GraphicalEffects
import Codeorchardist

// The Graph mode's floating zoom panel: zoom in, the percentage, zoom out and reset (a fit of
// the whole drawing). Compact, it is one row of smaller buttons.
Item {
    id: panel
    objectName: "zoomPanel"

    required property GraphZoom zoom
    property bool compact: false

    readonly property int buttonSize: compact ? 34 : 50
    readonly property int symbolSize: compact ? 15 : 20

    implicitWidth: card.width
    implicitHeight: card.height

    DropShadow {
        anchors.fill: card
        source: card
        color: Qt.rgba(0, 0, 0, 0.25)
        radius: 8
        samples: 17
        horizontalOffset: 0
        verticalOffset: 0
        transparentBorder: true
    }

    Rectangle {
        id: card
        width: grid.implicitWidth + (panel.compact ? 16 : 32)
        height: grid.implicitHeight + (panel.compact ? 16 : 32)
        radius: panel.compact ? 12 : 16
        color: Theme.windowBackground

        Grid {
            id: grid
            anchors.centerIn: parent
            columns: panel.compact ? 4 : 1
            spacing: panel.compact ? 8 : 12
            horizontalItemAlignment: Grid.AlignHCenter
            verticalItemAlignment: Grid.AlignVCenter

            CircleButton {
                objectName: "zoomInButton"
                width: panel.buttonSize
                height: panel.buttonSize
                symbol: "plus"
                symbolSize: panel.symbolSize
                tone: "blue"
                onClicked: panel.zoom.zoomIn()
            }
            Text {
                objectName: "zoomPercent"
                text: panel.zoom.percentText
                font: Theme.system(panel.compact ? 12 : 14, Font.Bold)
                color: Theme.primary
            }
            CircleButton {
                objectName: "zoomOutButton"
                width: panel.buttonSize
                height: panel.buttonSize
                symbol: "minus"
                symbolSize: panel.symbolSize
                tone: "blue"
                onClicked: panel.zoom.zoomOut()
            }
            CircleButton {
                objectName: "zoomResetButton"
                width: panel.buttonSize
                height: panel.buttonSize
                symbol: "arrow.counterclockwise"
                symbolSize: panel.symbolSize - 2
                tone: "orange"
                onClicked: panel.zoom.reset()
            }
        }
    }
}
