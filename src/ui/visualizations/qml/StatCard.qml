import QtQuick
import Codeorchardist

// One figure of the statistics row: symbol, optional trend badge, value and title.
Item {
    id: card

    property string title
    property string value
    property string icon
    property string color: "blue"
    // "" for none.
    property string trend: ""

    implicitHeight: content.implicitHeight + 32

    Rectangle {
        anchors.fill: parent
        radius: 16
        color: Theme.controlBackground
        SoftShadow {
            cornerRadius: 16
            blurRadius: 10
            offsetY: 4
            shadowColor: Qt.rgba(0, 0, 0, Theme.dark ? 0.25 : 0.05)
        }
    }

    Column {
        id: content
        x: 16
        y: 16
        width: parent.width - 32
        spacing: 12

        Item {
            width: parent.width
            height: Math.max(symbol.height, badge.height)
            SymbolIcon {
                id: symbol
                anchors.verticalCenter: parent.verticalCenter
                name: card.icon
                size: Theme.font.title2.pixelSize
                color: Theme.symbolTone(card.color)
            }
            Rectangle {
                id: badge
                objectName: "trend"
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                // Left out where the tile is too narrow for it beside the symbol.
                visible: card.trend !== "" && parent.width >= symbol.width + 8 + width
                width: trendText.implicitWidth + 16
                height: trendText.implicitHeight + 8
                radius: 4
                color: Theme.tint(card.color, 0.15)
                Text {
                    textFormat: Text.PlainText
                    id: trendText
                    anchors.centerIn: parent
                    text: card.trend
                    font: Theme.font.caption2
                    color: Theme.tintedText(card.color, 0.15)
                }
            }
        }
        Column {
            spacing: 4
            Text {
                textFormat: Text.PlainText
                objectName: "value"
                text: card.value
                font.family: Theme.roundedFamily
                font.pixelSize: 32
                font.bold: true
                color: Theme.primary
            }
            Text {
                textFormat: Text.PlainText
                text: card.title
                font: Theme.font.caption
                color: Theme.secondary
            }
        }
    }
}
