import QtQuick
import QtQuick.Controls
import Codeorchardist

// A compact bordered button showing one symbol, with an optional tooltip.
AbstractButton {
    id: button

    property string symbol
    property int symbolSize: 18
    property string tip
    property bool bordered: true

    implicitWidth: 36
    implicitHeight: 30
    hoverEnabled: true
    focusPolicy: Qt.TabFocus
    ToolTip.visible: tip !== "" && hovered
    ToolTip.delay: 600
    ToolTip.text: tip

    background: Rectangle {
        radius: 6
        color: !button.bordered ? (button.down ? Theme.tint("secondary", 0.2) : button.hovered ? Theme.tint("secondary", 0.12) : "transparent")
                                : (button.down ? Theme.tint("secondary", 0.2) : button.hovered ? Theme.tint("secondary", 0.1) : Theme.controlBackground)
        // A keyboard focus ring (Tab), else the bezel.
        border.width: button.visualFocus ? 2 : button.bordered ? 1 : 0
        border.color: button.visualFocus ? Theme.accent : Theme.separator
    }
    contentItem: Item {
        SymbolIcon {
            anchors.centerIn: parent
            name: button.symbol
            size: button.symbolSize
            color: button.enabled ? Theme.primary : Theme.secondary
        }
    }
}
