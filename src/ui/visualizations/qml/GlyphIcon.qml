import QtQuick
import Codeorchardist

// A symbol drawn as one text glyph, for views that show many of them at once; the few
// symbols that are vector paths fall back to SymbolIcon, created only for those.
Text {
    id: icon

    property string name
    property real size: 12

    readonly property bool isPath: Symbols.path(name) !== ""

    width: size
    height: size
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
    text: isPath ? "" : Symbols.glyph(name)
    font.family: Symbols.fontFamily
    font.pixelSize: size
    renderType: Text.QtRendering

    Loader {
        anchors.fill: parent
        active: icon.isPath
        sourceComponent: SymbolIcon {
            name: icon.name
            size: icon.size
            color: icon.color
        }
    }
}
