import QtQuick
import QtQuick.Shapes
import Codeorchardist

// One symbol by name ("folder.fill", "arrow.clockwise", ...), drawn from the icon font or,
// for symbols the font lacks, from a vector path of our own.
Item {
    id: root

    property string name
    property real size: Theme.font.body.pixelSize
    property color color: Theme.primary

    readonly property string pathData: Symbols.path(name)

    implicitWidth: size
    implicitHeight: size

    Text {
        anchors.centerIn: parent
        visible: root.pathData === ""
        text: Symbols.glyph(root.name)
        font.family: Symbols.fontFamily
        font.pixelSize: root.size
        color: root.color
        renderType: Text.QtRendering
    }

    // Symbols drawn as a path (the few the icon font lacks); built only when needed.
    Loader {
        anchors.centerIn: parent
        active: root.pathData !== ""
        sourceComponent: Shape {
            width: root.size
            height: root.size
            layer.enabled: true
            layer.samples: 4
            layer.smooth: true
            ShapePath {
                fillColor: root.color
                strokeColor: "transparent"
                scale: Qt.size(root.size / 24, root.size / 24)
                PathSvg { path: root.pathData }
            }
        }
    }
}
