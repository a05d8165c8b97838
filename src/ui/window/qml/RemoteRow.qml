import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Codeorchardist

// One remote of the detail pane: link symbol, name, location (elided in the middle, whole in
// the tooltip) and the copy button.
Rectangle {
    id: remoteRow
    objectName: "remoteRow"

    required property var modelData
    signal copy(var remote)

    implicitHeight: remoteLine.implicitHeight + 16
    radius: 6
    color: Theme.tint("secondary", 0.1)

    RowLayout {
        id: remoteLine
        anchors.fill: parent
        anchors.margins: 8
        SymbolIcon {
            name: "link"
            size: Theme.size("body")
            color: Theme.symbolTone("blue")
        }
        Text {
            objectName: "remoteName"
            Layout.preferredWidth: 60
            text: remoteRow.modelData.name
            textFormat: Text.PlainText
            font: Theme.styled("body", Font.Medium)
            color: Theme.primary
            elide: Text.ElideRight
            maximumLineCount: 1
            HoverHandler { id: nameHover }
            ToolTip.visible: nameHover.hovered && truncated
            ToolTip.text: text
        }
        SelectableText {
            objectName: "remoteUrl"
            Layout.fillWidth: true
            text: remoteRow.modelData.url
            font: Theme.font.monospacedBody
            color: Theme.secondary
            elide: Text.ElideMiddle
        }
        SymbolButton {
            objectName: "copyRemoteButton"
            bordered: false
            implicitWidth: 28
            implicitHeight: 26
            symbol: "doc.on.doc"
            symbolSize: 16
            tip: "Copy URL"
            onClicked: remoteRow.copy(remoteRow.modelData)
        }
    }
}
