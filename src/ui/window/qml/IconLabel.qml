import QtQuick
import QtQuick.Controls
import Codeorchardist

// A small symbol followed by a plain text, in the caption style and the secondary colour. Set
// `width` to elide the text to it (the whole text is then in a tooltip).
Item {
    id: label
    property string symbol
    property string text
    property color color: Theme.secondary
    property font font: Theme.font.caption
    readonly property real naturalWidth: glyph.width + 3 + caption.implicitWidth

    implicitWidth: naturalWidth
    implicitHeight: Math.max(glyph.height, caption.implicitHeight)

    SymbolIcon {
        id: glyph
        anchors.verticalCenter: parent.verticalCenter
        name: label.symbol
        size: label.font.pixelSize
        color: label.color
    }
    Text {
        id: caption
        anchors.verticalCenter: parent.verticalCenter
        x: glyph.width + 3
        width: Math.max(0, label.width - x)
        text: label.text
        textFormat: Text.PlainText
        font: label.font
        color: label.color
        elide: Text.ElideRight
        maximumLineCount: 1
    }
    HoverHandler { id: hover }
    ToolTip.visible: hover.hovered && caption.truncated
    ToolTip.text: label.text
}
