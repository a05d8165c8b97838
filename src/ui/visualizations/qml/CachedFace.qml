import QtQuick
import Codeorchardist

// Holds a card's look and, while `cached`, draws it from one texture: the children are drawn
// once into it over a margin of the backdrop colour, where the card's resting shadow falls,
// and every frame after that puts one opaque quad on screen instead of the card's shapes and
// texts one by one. Opaque, the quad also hides whatever lies under it from the renderer.
// The children fill the parent; the face reaches beyond it by the margins, which must stay
// within half the gap to the next card (the column gap is 20; a row's bottom and the next
// row's top share the row gap of 20).
Item {
    id: face

    property bool cached: false
    property color backdrop: Theme.windowBackground
    default property alias content: body.data

    anchors.fill: parent
    anchors.leftMargin: -10
    anchors.rightMargin: -10
    anchors.topMargin: -8
    anchors.bottomMargin: -12

    layer.enabled: cached
    // Texels fall on pixels one to one, so the nearest one keeps the texts sharp.
    layer.smooth: false
    layer.effect: ShaderEffect { blending: false }

    Rectangle {
        anchors.fill: parent
        visible: face.cached
        color: face.backdrop
    }
    Item {
        id: body
        anchors.fill: parent
        anchors.leftMargin: 10
        anchors.rightMargin: 10
        anchors.topMargin: 8
        anchors.bottomMargin: 12
    }
}
