import QtQuick
import QtQuick.Controls
import Codeorchardist

// The selected project's details with their actions wired to the view model, or, with nothing
// selected, what to do instead. The List shows it beside its rows; the other modes beside the view.
Item {
    id: pane
    objectName: "detailPane"

    required property var viewModel
    // What the placeholder says to do.
    property string hint: "Choose a project from the sidebar to view details"

    Loader {
        anchors.fill: parent
        active: pane.viewModel.selectedProjectId !== ""
        sourceComponent: ProjectDetailView {
            project: pane.viewModel.selectedProject
            viewModel: pane.viewModel
            onOpenFinder: pane.viewModel.openInFinder(project.id)
            onOpenTerminal: pane.viewModel.openInTerminal(project.id)
            onCopyRemote: (remote) => pane.viewModel.copyRemoteURL(remote.fullUrl)
            onRefresh: pane.viewModel.refreshProject(project.id)
        }
    }

    Column {
        objectName: "selectProjectPlaceholder"
        visible: pane.viewModel.selectedProjectId === ""
        anchors.centerIn: parent
        width: Math.min(implicitWidth, parent.width - 32)
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
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            text: pane.hint
            font: Theme.font.body
            color: Theme.secondary
        }
    }
}
