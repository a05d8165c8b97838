import QtQuick
import Codeorchardist

// A symbol of the icon font as one text item, for the small marks of a project card (symbols
// drawn as paths need SymbolIcon instead).
Text {
    property string name
    property real size: Theme.font.caption.pixelSize

    width: size
    height: size
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
    text: Symbols.glyph(name)
    font.family: Symbols.fontFamily
    font.pixelSize: size
    renderType: Text.QtRendering
}
