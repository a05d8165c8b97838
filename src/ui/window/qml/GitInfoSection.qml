import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Codeorchardist

// The detail pane's "Git Information": the branch row (when there is a branch, even an empty
// one) and one row per remote with its copy button.
ColumnLayout {
    id: section
    objectName: "gitSection"

    // The branch text, or null without one.
    property var branch: null
    // [{id, name, url, fullUrl}]; url and fullUrl come without any password or token.
    property var remotes: []
    readonly property bool hasBranch: branch !== null && branch !== undefined
    signal copyRemote(var remote)

    spacing: 12

    Text {
        text: "Git Information"
        font: Theme.font.headline
        color: Theme.primary
    }
    Rectangle {
        objectName: "branchRow"
        visible: section.hasBranch
        Layout.fillWidth: true
        implicitHeight: branchRow.implicitHeight + 24
        radius: 8
        color: Theme.tint("purple", 0.1)
        RowLayout {
            id: branchRow
            anchors.fill: parent
            anchors.margins: 12
            SymbolIcon {
                name: "arrow.triangle.branch"
                size: Theme.size("body")
                color: Theme.symbolTone("purple")
            }
            Text {
                text: "Branch:"
                font: Theme.font.body
                color: Theme.secondary
            }
            SelectableText {
                objectName: "branchName"
                Layout.fillWidth: true
                text: section.hasBranch ? section.branch : ""
                font: Theme.styled("body", Font.Medium)
                color: Theme.primary
                elide: Text.ElideRight
            }
        }
    }
    ColumnLayout {
        objectName: "remotesBlock"
        visible: section.remotes.length > 0
        Layout.fillWidth: true
        spacing: 8
        Text {
            text: "Remotes"
            font: Theme.font.subheadline
            color: Theme.secondary
        }
        Repeater {
            model: section.remotes
            delegate: RemoteRow {
                Layout.fillWidth: true
                onCopy: (remote) => section.copyRemote(remote)
            }
        }
    }
}
