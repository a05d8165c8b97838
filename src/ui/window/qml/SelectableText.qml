import QtQuick
import QtQuick.Controls
import Codeorchardist

// One line of plain text the user can select and copy; elided (in the middle by default)
// while it is not being selected, with the whole text in a tooltip when it is elided.
Item {
    id: root

    property string text
    property font font: Theme.font.body
    property color color: Theme.primary
    property int elide: Text.ElideMiddle

    implicitWidth: shown.implicitWidth
    implicitHeight: Math.max(shown.implicitHeight, input.implicitHeight)
    clip: true

    Text {
        id: shown
        objectName: "selectableTextShown"
        anchors.fill: parent
        verticalAlignment: Text.AlignVCenter
        visible: !input.activeFocus
        text: root.text
        textFormat: Text.PlainText
        font: root.font
        color: root.color
        elide: root.elide
        maximumLineCount: 1
    }
    HoverHandler { id: hover }
    ToolTip.visible: hover.hovered && shown.truncated && !input.activeFocus
    ToolTip.delay: 500
    ToolTip.text: root.text
    TextInput {
        id: input
        anchors.fill: parent
        verticalAlignment: TextInput.AlignVCenter
        opacity: activeFocus ? 1 : 0
        readOnly: true
        selectByMouse: true
        persistentSelection: false
        text: root.text
        font: root.font
        color: root.color
        selectionColor: Theme.tint("blue", 0.35)
        selectedTextColor: root.color
        onActiveFocusChanged: if (!activeFocus) { deselect(); cursorPosition = 0 }
    }
}
