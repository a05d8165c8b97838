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
    readonly property var gitState: project.sync && project.sync.statusOverride ? project.sync.statusOverride : WindowLogic.gitState(project.hasUncommittedChanges === true,
                                                         project.hasGit === true)

    contentWidth: availableWidth
    clip: true
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
                color: Theme.color(pane.project.color)
            }
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 2
                Text {
                    objectName: "detailName"
                    Layout.fillWidth: true
                    text: pane.project.name
                    font: Theme.styled("title", Font.Bold)
                    color: Theme.primary
                    elide: Text.ElideRight
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
            FetchButton { visible: pane.project.hasGit === true; viewModel: pane.viewModel; projectId: pane.project.id }
        }

        Divider {}

        // Project Info
        ColumnLayout {
            Layout.leftMargin: 24
            Layout.rightMargin: 24
            Layout.fillWidth: true
            spacing: 12
            Text {
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
        ColumnLayout {
            objectName: "gitSection"
            visible: pane.project.hasGit === true
            Layout.leftMargin: 24
            Layout.rightMargin: 24
            Layout.fillWidth: true
            spacing: 12
            Text {
                text: "Git Information"
                font: Theme.font.headline
                color: Theme.primary
            }
            Rectangle {
                objectName: "branchRow"
                visible: pane.hasBranch
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
                        color: Theme.color("purple")
                    }
                    Text {
                        text: "Branch:"
                        font: Theme.font.body
                        color: Theme.secondary
                    }
                    SelectableText {
                        objectName: "branchName"
                        Layout.fillWidth: true
                        text: pane.hasBranch ? (pane.project.sync ? pane.project.sync.branchText : pane.project.gitBranch) : ""
                        font: Theme.styled("body", Font.Medium)
                        color: Theme.primary
                        elide: Text.ElideRight
                    }
                }
            }
            ColumnLayout {
                objectName: "remotesBlock"
                visible: pane.remotes.length > 0
                Layout.fillWidth: true
                spacing: 8
                Text {
                    text: "Remotes"
                    font: Theme.font.subheadline
                    color: Theme.secondary
                }
                Repeater {
                    model: pane.remotes
                    delegate: Rectangle {
                        id: remoteRow
                        objectName: "remoteRow"
                        required property var modelData
                        Layout.fillWidth: true
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
                                color: Theme.color("blue")
                            }
                            Text {
                                Layout.preferredWidth: 60
                                text: remoteRow.modelData.name
                                font: Theme.styled("body", Font.Medium)
                                color: Theme.primary
                                elide: Text.ElideRight
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
                                onClicked: pane.copyRemote(remoteRow.modelData)
                            }
                        }
                    }
                }
            }
        }

        SyncSection { project: pane.project; viewModel: pane.viewModel; Layout.leftMargin: 24; Layout.rightMargin: 24; Layout.fillWidth: true }

        Divider {}

        // Actions
        ColumnLayout {
            Layout.leftMargin: 24
            Layout.rightMargin: 24
            Layout.bottomMargin: 24
            spacing: 12
            Text {
                text: "Actions"
                font: Theme.font.headline
                color: Theme.primary
            }
            RowLayout {
                spacing: 12
                LabelButton {
                    objectName: "openFinderButton"
                    text: "Open in Finder"
                    symbol: "folder"
                    prominent: true
                    onClicked: pane.openFinder()
                }
                LabelButton {
                    objectName: "openTerminalButton"
                    text: "Open in Terminal"
                    symbol: "terminal"
                    onClicked: pane.openTerminal()
                }
            }
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
