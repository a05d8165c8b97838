import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Codeorchardist

// Everything known about one project: header, info cards, git section and actions. Performs
// nothing itself; the buttons are reported through the four signals.
ScrollView {
    id: pane
    objectName: "projectDetail"

    // The project shown (a project map of the view model).
    required property var project
    property var viewModel: null

    signal openFinder()
    signal openTerminal()
    signal copyRemote(var remote)
    signal refresh()

    readonly property bool hasVersion: project.version !== null && project.version !== undefined
    readonly property bool hasBranch: project.gitBranch !== null && project.gitBranch !== undefined
    readonly property var remotes: project.remotes ? project.remotes : []
    readonly property var gitState: project.sync && project.sync.status ? project.sync.status
                                                                    : WindowLogic.gitState(project.hasUncommittedChanges === true,
                                                                                           project.hasGit === true)

    contentWidth: availableWidth
    clip: true

    // When the pane gets shorter (the answer strip appears below it), actions that were in view
    // stay in view.
    property real lastHeight: height
    onHeightChanged: {
        const shrink = lastHeight - height
        lastHeight = height
        const flick = contentItem
        if (shrink <= 0 || !flick)
            return
        const top = actions.mapToItem(flick.contentItem, 0, 0).y
        const bottom = actions.mapToItem(flick.contentItem, 0, actions.height).y
        const viewBottom = flick.contentY + height
        // Actions that were at least partly in view come fully into view (as far as they fit).
        if (bottom > viewBottom && top < viewBottom + shrink)
            flick.contentY = Math.max(0, Math.min(top, bottom - height))
    }
    ScrollBar.vertical.policy: ScrollBar.AsNeeded
    ScrollBar.horizontal.policy: ScrollBar.AlwaysOff

    ColumnLayout {
        width: Math.max(pane.availableWidth, 400)
        spacing: 24

        Item { Layout.preferredHeight: 0 }  // the column's top padding comes from spacing

        // Header
        RowLayout {
            Layout.leftMargin: 24
            Layout.rightMargin: 24
            Layout.fillWidth: true
            spacing: 10
            SymbolIcon {
                name: pane.project.icon
                size: Theme.size("largeTitle") + 4
                color: Theme.symbolTone(pane.project.color)
            }
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 2
                Text {
                    objectName: "detailName"
                    Layout.fillWidth: true
                    text: pane.project.name
                    textFormat: Text.PlainText
                    font: Theme.styled("title", Font.Bold)
                    color: Theme.primary
                    elide: WindowLogic.isScopedName(text) ? Text.ElideMiddle : Text.ElideRight
                    maximumLineCount: 1
                    HoverHandler { id: nameHover }
                    ToolTip.visible: nameHover.hovered && truncated
                    ToolTip.text: text
                }
                SelectableText {
                    objectName: "detailPath"
                    Layout.fillWidth: true
                    text: WindowLogic.tildePath(pane.project.path)
                    font: Theme.font.subheadline
                    color: Theme.secondary
                }
            }
            SymbolButton {
                objectName: "refreshProjectButton"
                Layout.alignment: Qt.AlignVCenter
                symbol: "arrow.clockwise"
                tip: "Refresh project info"
                onClicked: pane.refresh()
            }
            FetchButton { visible: pane.project.hasGit === true; viewModel: pane.viewModel; project: pane.project }
        }

        Divider {}

        // Project Info
        ColumnLayout {
            Layout.leftMargin: 24
            Layout.rightMargin: 24
            Layout.fillWidth: true
            spacing: 12
            Text {
                textFormat: Text.PlainText
                text: "Project Info"
                font: Theme.font.headline
                color: Theme.primary
            }
            GridLayout {
                objectName: "infoGrid"
                Layout.fillWidth: true
                columns: 2
                rowSpacing: 16
                columnSpacing: 8
                InfoCard {
                    objectName: "typeCard"
                    Layout.fillWidth: true
                    Layout.minimumWidth: 10
                    Layout.preferredWidth: 10
                    title: "Type"
                    value: pane.project.type
                    icon: pane.project.icon
                    tone: pane.project.color
                }
                InfoCard {
                    objectName: "versionCard"
                    visible: pane.hasVersion
                    Layout.fillWidth: true
                    Layout.minimumWidth: 10
                    Layout.preferredWidth: 10
                    title: "Version"
                    value: pane.hasVersion ? pane.project.version : ""
                    icon: "tag"
                    tone: "blue"
                }
                InfoCard {
                    objectName: "lastModifiedCard"
                    Layout.fillWidth: true
                    Layout.minimumWidth: 10
                    Layout.preferredWidth: 10
                    title: "Last Modified"
                    value: pane.project.lastModifiedText
                    icon: "clock"
                    tone: "gray"
                }
                InfoCard {
                    objectName: "gitStatusCard"
                    Layout.fillWidth: true
                    Layout.minimumWidth: 10
                    Layout.preferredWidth: 10
                    title: "Git Status"
                    value: pane.gitState.value
                    icon: pane.gitState.icon
                    tone: pane.gitState.color
                }
            }
        }

        Divider { visible: pane.project.hasGit === true }

        // Git Information
        GitInfoSection {
            visible: pane.project.hasGit === true
            Layout.leftMargin: 24
            Layout.rightMargin: 24
            Layout.fillWidth: true
            branch: pane.hasBranch ? (pane.project.sync ? pane.project.sync.branchText : pane.project.gitBranch) : null
            remotes: pane.remotes
            onCopyRemote: (remote) => pane.copyRemote(remote)
        }

        SyncSection { project: pane.project; viewModel: pane.viewModel; Layout.leftMargin: 24; Layout.rightMargin: 24; Layout.fillWidth: true }

        Divider {}

        ActionsSection {
            id: actions
            Layout.leftMargin: 24
            Layout.rightMargin: 24
            Layout.bottomMargin: 24
            Layout.fillWidth: true
            project: pane.project
            viewModel: pane.viewModel
            onOpenFinder: pane.openFinder()
            onOpenTerminal: pane.openTerminal()
        }
    }

    component Divider: Rectangle {
        Layout.fillWidth: true
        Layout.leftMargin: 24
        Layout.rightMargin: 24
        Layout.preferredHeight: 1
        color: Theme.separator
    }
}
