import QtQuick
import Codeorchardist

// A small symbol followed by a text, in the caption style and the secondary colour.
Row {
    id: label
    property string symbol
    property string text
    property color color: Theme.secondary
    property font font: Theme.font.caption

    spacing: 3
    SymbolIcon {
        anchors.verticalCenter: parent.verticalCenter
        name: label.symbol
        size: label.font.pixelSize
        color: label.color
    }
    Text {
        anchors.verticalCenter: parent.verticalCenter
        text: label.text
        font: label.font
        color: label.color
        elide: Text.ElideRight
    }
}
