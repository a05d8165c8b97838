import QtQuick
import QtQuick.Controls
import Codeorchardist

// A small counter: the number in the pill's colour, then a word, on a tint of that colour.
Item {
    id: pill

    property int value: 0
    property string label
    // One word for the label where the header is short of room ("attention").
    property string shortLabel: label
    property bool useShortLabel: false
    // The named colour of the number and the tint.
    property string tone: "blue"
    // False where the header is short of room: the number alone, the word in the tooltip.
    property bool showWord: true
    // The width with the word, whether it shows or not, and the word's share of it.
    readonly property real fullWidth: valueText.implicitWidth + content.spacing + fullLabel.advanceWidth + 20
    readonly property real wordWidth: content.spacing + fullLabel.advanceWidth
    // What the short label saves.
    readonly property real shortening: Math.max(0, fullLabel.advanceWidth - shortMetrics.advanceWidth)
    TextMetrics { id: fullLabel; font: labelText.font; text: pill.label }
    TextMetrics { id: shortMetrics; font: labelText.font; text: pill.shortLabel }

    implicitWidth: content.implicitWidth + 20
    implicitHeight: content.implicitHeight + 12

    Rectangle {
        anchors.fill: parent
        radius: 8
        color: Theme.tint(pill.tone, 0.1)
    }

    Row {
        id: content
        anchors.centerIn: parent
        spacing: 4
        Text {
            id: valueText
            objectName: "pillValue"
            anchors.verticalCenter: parent.verticalCenter
            text: pill.value.toString()
            font: Theme.styled("body", Font.Bold, "rounded")
            color: Theme.tintedText(pill.tone, 0.1)
        }
        Text {
            id: labelText
            objectName: "pillLabel"
            visible: pill.showWord
            anchors.verticalCenter: parent.verticalCenter
            text: pill.useShortLabel ? pill.shortLabel : pill.label
            font: Theme.font.caption
            color: Theme.secondary
        }
    }

    HoverHandler { id: hover; enabled: !pill.showWord }
    ToolTip.visible: hover.hovered
    ToolTip.text: pill.value + " " + pill.label
}
