import QtQuick
import QtQuick.Controls
import Codeorchardist

// A segmented control with one symbol-only segment per view mode.
Rectangle {
    id: control

    property int mode: ViewMode.Cards
    signal modeRequested(int mode)

    implicitWidth: 160
    implicitHeight: 28
    radius: 7
    color: Theme.tint("secondary", 0.12)

    HoverHandler { id: hover }
    ToolTip.visible: hover.hovered
    ToolTip.delay: 600
    ToolTip.text: "Switch view mode"

    Row {
        anchors.fill: parent
        anchors.margins: 2
        Repeater {
            model: WindowLogic.viewModes
            delegate: AbstractButton {
                id: segment
                required property var modelData
                objectName: "viewModeSegment" + modelData.title
                width: (control.width - 4) / 4
                height: control.height - 4
                checkable: false
                focusPolicy: Qt.TabFocus
                readonly property bool selected: control.mode === modelData.mode
                Accessible.name: modelData.title
                onClicked: control.modeRequested(modelData.mode)
                background: Rectangle {
                    radius: 5
                    color: segment.selected ? Theme.controlBackground
                                            : segment.down ? Theme.tint("secondary", 0.15) : "transparent"
                    border.width: segment.visualFocus ? 2 : segment.selected ? 1 : 0
                    border.color: segment.visualFocus ? Theme.accent : Theme.separator
                }
                contentItem: SymbolIcon {
                    name: segment.modelData.icon
                    size: 16
                    color: segment.selected ? Theme.symbolTone("blue") : Theme.secondary
                }
            }
        }
    }
}
