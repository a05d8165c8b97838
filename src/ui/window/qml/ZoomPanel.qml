import QtQuick
import Qt5Compat.GraphicalEffects
import Codeorchardist

// The Graph mode's floating zoom panel: zoom in, the percentage, zoom out and reset.
Item {
    id: panel
    objectName: "zoomPanel"

    required property GraphZoom zoom

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
        width: column.implicitWidth + 32
        height: column.implicitHeight + 32
        radius: 16
        color: Theme.windowBackground

        Column {
            id: column
            anchors.centerIn: parent
            spacing: 12

            CircleButton {
                objectName: "zoomInButton"
                anchors.horizontalCenter: parent.horizontalCenter
                symbol: "plus"
                tone: "blue"
                onClicked: panel.zoom.zoomIn()
            }
            Text {
                objectName: "zoomPercent"
                anchors.horizontalCenter: parent.horizontalCenter
                text: panel.zoom.percentText
                font: Theme.system(14, Font.Bold)
                color: Theme.primary
            }
            CircleButton {
                objectName: "zoomOutButton"
                anchors.horizontalCenter: parent.horizontalCenter
                symbol: "minus"
                tone: "blue"
                onClicked: panel.zoom.zoomOut()
            }
            CircleButton {
                objectName: "zoomResetButton"
                anchors.horizontalCenter: parent.horizontalCenter
                symbol: "arrow.counterclockwise"
                symbolSize: 18
                tone: "orange"
                onClicked: panel.zoom.reset()
            }
        }
    }
}
