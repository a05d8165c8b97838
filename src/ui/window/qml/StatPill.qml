import QtQuick
import Codeorchardist

// A small counter: the number in the pill's colour, then a word, on a tint of that colour.
Item {
    id: pill

    property int value: 0
    property string label
    // The named colour of the number and the tint.
    property string tone: "blue"

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
            objectName: "pillValue"
            anchors.verticalCenter: parent.verticalCenter
            text: pill.value.toString()
            font: Theme.styled("body", Font.Bold, "rounded")
            color: Theme.tintedText(pill.tone, 0.1)
        }
        Text {
            objectName: "pillLabel"
            anchors.verticalCenter: parent.verticalCenter
            text: pill.label
            font: Theme.font.caption
            color: Theme.secondary
        }
    }
}
