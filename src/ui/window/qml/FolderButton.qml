import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Codeorchardist

// The header's folder button: folder symbol, the root folder's text (elided in the middle when
// the button is narrower than the text) and a chevron. The full text is in the tooltip.
AbstractButton {
    id: button
    objectName: "folderButton"

    property string folderText
    // The button's width with the whole text shown.
    readonly property real naturalWidth: folderRow.implicitWidth + 20
    readonly property bool elided: label.truncated

    hoverEnabled: true
    focusPolicy: Qt.TabFocus
    implicitWidth: naturalWidth
    implicitHeight: folderRow.implicitHeight + 12
    ToolTip.visible: hovered
    ToolTip.delay: 600
    ToolTip.text: elided ? folderText + "\n" + "Click to change project folder" : "Click to change project folder"

    background: Rectangle {
        radius: 6
        color: Theme.tint("secondary", button.down ? 0.2 : button.hovered ? 0.15 : 0.1)
        border.width: button.visualFocus ? 2 : 0
        border.color: Theme.accent
    }
    contentItem: Item {
        RowLayout {
            id: folderRow
            anchors.fill: parent
            anchors.leftMargin: 10
            anchors.rightMargin: 10
            anchors.topMargin: 6
            anchors.bottomMargin: 6
            spacing: 6
            SymbolIcon {
                name: "folder.fill"
                size: Theme.size("body")
                color: Theme.secondary
            }
            Text {
                id: label
                objectName: "folderText"
                Layout.fillWidth: true
                text: button.folderText
                textFormat: Text.PlainText
                font: Theme.font.caption
                color: Theme.secondary
                elide: Text.ElideMiddle
                maximumLineCount: 1
            }
            SymbolIcon {
                name: "chevron.down"
                size: Theme.size("caption2")
                color: Theme.secondary
            }
        }
    }
}
