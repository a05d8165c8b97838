import QtQuick
import QtQuick.Layouts
import Codeorchardist

// One information card of the detail pane: symbol and title above a value, on a tint of the
// card's colour.
Rectangle {
    id: card

    property string title
    property string value
    property string icon
    property string tone: "gray"

    radius: 8
    color: Theme.tint(tone, 0.1)
    implicitWidth: column.implicitWidth + 24
    implicitHeight: column.implicitHeight + 24

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: 12
        spacing: 8
        RowLayout {
            SymbolIcon {
                name: card.icon
                size: Theme.size("body")
                color: Theme.symbolTone(card.tone)
            }
            Text {
                textFormat: Text.PlainText
                Layout.fillWidth: true
                text: card.title
                font: Theme.font.caption
                color: Theme.secondary
                elide: Text.ElideRight
            }
        }
        Text {
            textFormat: Text.PlainText
            objectName: "infoCardValue"
            Layout.fillWidth: true
            text: card.value
            font: Theme.styled("body", Font.Medium)
            color: Theme.primary
            elide: Text.ElideRight
        }
    }
}
