import QtQuick
import QtQuick.Controls
import Codeorchardist

// The List mode: the sidebar list of the filtered projects and the selected project's details.
SplitView {
    id: split

    required property var viewModel
    signal moveSelection(int step)

    orientation: Qt.Horizontal
    handle: Rectangle {
        implicitWidth: 1
        color: Theme.separator
    }

    Rectangle {
        SplitView.preferredWidth: 340
        SplitView.minimumWidth: 240
        color: Theme.sidebarBackground

        ListView {
            id: list
            objectName: "projectList"
            anchors.fill: parent
            anchors.margins: 8
            clip: true
            focus: true
            reuseItems: true
            spacing: 2
            boundsBehavior: Flickable.StopAtBounds
            model: split.viewModel.filteredModel
            ScrollBar.vertical: ScrollBar {}
            currentIndex: split.viewModel.selectedRow
            highlightFollowsCurrentItem: false
            keyNavigationEnabled: false
            Keys.onUpPressed: split.moveSelection(-1)
            Keys.onDownPressed: split.moveSelection(1)
            // The selection in view from the start (switching to List) and after every move.
            Component.onCompleted: {
                forceActiveFocus()
                Qt.callLater(() => { if (currentIndex >= 0) positionViewAtIndex(currentIndex, ListView.Contain) })
            }
            onCurrentIndexChanged: if (currentIndex >= 0) positionViewAtIndex(currentIndex, ListView.Contain)

            footer: Item { width: 1; height: split.viewModel.filterActive ? 44 : 0 }
            delegate: ProjectRowView {
                width: ListView.view.width - 12
                selected: ListView.isCurrentItem
                onClicked: {
                    list.forceActiveFocus()
                    split.viewModel.selectProject(project.id)
                }
            }
        }
        MatchBadge {
            viewModel: split.viewModel
            anchors.left: parent.left
            anchors.bottom: parent.bottom
            anchors.margins: 12
        }
    }

    Item {
        SplitView.fillWidth: true
        SplitView.minimumWidth: 400

        Loader {
            anchors.fill: parent
            active: split.viewModel.selectedProjectId !== ""
            sourceComponent: ProjectDetailView {
                project: split.viewModel.selectedProject
                viewModel: split.viewModel
                onOpenFinder: split.viewModel.openInFinder(project.id)
                onOpenTerminal: split.viewModel.openInTerminal(project.id)
                onCopyRemote: (remote) => split.viewModel.copyRemoteURL(remote.fullUrl)
                onRefresh: split.viewModel.refreshProject(project.id)
            }
        }

        Column {
            objectName: "selectProjectPlaceholder"
            visible: split.viewModel.selectedProjectId === ""
            anchors.centerIn: parent
            spacing: 8
            SymbolIcon {
                anchors.horizontalCenter: parent.horizontalCenter
                name: "sidebar.left"
                size: 44
                color: Theme.secondary
            }
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: "Select a Project"
                font: Theme.styled("title2", Font.Bold)
                color: Theme.primary
            }
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: "Choose a project from the sidebar to view details"
                font: Theme.font.body
                color: Theme.secondary
            }
        }
    }
}
