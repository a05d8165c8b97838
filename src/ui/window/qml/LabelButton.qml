import QtQuick
import QtQuick.Controls
import Codeorchardist

// A button whose label is a symbol and a text; `prominent` fills it with the accent colour,
// otherwise it is bordered. `large` is the bigger control size. An unavailable button is
// greyed and does nothing but still shows its tooltip (why not) on hover and keyboard focus;
// `activated` follows a click, Enter or Space while it is available.
Button {
    id: button

    property string symbol
    property bool prominent: false
    property bool large: false
    property font labelFont: Theme.font.body
    property bool available: true
    property string tip
    signal activated()

    onClicked: if (available) activated()
    // Enter does what a click does.
    function press() { if (action) action.trigger(); else clicked() }
    Keys.onReturnPressed: press()
    Keys.onEnterPressed: press()
    ToolTip.visible: tip !== "" && (hovered || visualFocus)
    ToolTip.delay: visualFocus ? 0 : 600
    ToolTip.text: tip
    Accessible.description: tip

    highlighted: prominent
    focusPolicy: Qt.StrongFocus
    hoverEnabled: true
    leftPadding: large ? 24 : 14
    rightPadding: large ? 24 : 14
    topPadding: large ? 12 : 7
    bottomPadding: large ? 12 : 7

    readonly property bool filled: prominent && available
    readonly property color labelColor: !available ? Theme.secondary : prominent ? "white" : Theme.primary

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
        color: button.filled
               ? (button.down ? Qt.darker(Theme.accentFill, 1.15) : button.hovered ? Qt.darker(Theme.accentFill, 1.06) : Theme.accentFill)
               : (button.down ? Theme.tint("secondary", 0.2) : button.hovered ? Theme.tint("secondary", 0.12) : Theme.controlBackground)
        border.width: button.visualFocus ? 2 : button.filled ? 0 : 1
        border.color: button.visualFocus ? (button.filled ? Theme.primary : Theme.accent) : Theme.separator
    }
}
