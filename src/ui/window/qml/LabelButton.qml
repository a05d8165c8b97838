import QtQuick
import QtQuick.Controls
import Codeorchardist

// A button whose label is a symbol and a text; `prominent` fills it with the accent colour,
// otherwise it is bordered. `large` is the bigger control size.
Button {
    id: button

    property string symbol
    property bool prominent: false
    property bool large: false
    property font labelFont: Theme.font.body

    highlighted: prominent
    focusPolicy: Qt.StrongFocus
    hoverEnabled: true
    leftPadding: large ? 24 : 14
    rightPadding: large ? 24 : 14
    topPadding: large ? 12 : 7
    bottomPadding: large ? 12 : 7

    readonly property color labelColor: prominent ? "white" : Theme.primary

    contentItem: Row {
        spacing: 8
        SymbolIcon {
            anchors.verticalCenter: parent.verticalCenter
            visible: button.symbol !== ""
            name: button.symbol
            size: button.labelFont.pixelSize + 2
            color: button.labelColor
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: button.text
            font: button.labelFont
            color: button.labelColor
        }
    }
    background: Rectangle {
        implicitHeight: 28
        radius: button.large ? 10 : 6
        color: button.prominent
               ? (button.down ? Qt.darker(Theme.accentFill, 1.15) : button.hovered ? Qt.darker(Theme.accentFill, 1.06) : Theme.accentFill)
               : (button.down ? Theme.tint("secondary", 0.2) : button.hovered ? Theme.tint("secondary", 0.12) : Theme.controlBackground)
        border.width: button.visualFocus ? 2 : button.prominent ? 0 : 1
        border.color: button.visualFocus ? (button.prominent ? Theme.primary : Theme.accent) : Theme.separator
    }
}
