import QtQuick
import Codeorchardist

// "Fetch" for one project: runs git fetch in its repository, then refreshes it.
LabelButton {
    id: button
    objectName: "fetchProjectButton"

    property var viewModel
    property string projectId
    readonly property bool busy: viewModel ? viewModel.fetcher.isFetching : false

    text: busy ? "Fetching..." : "Fetch"
    enabled: !busy && viewModel !== null && viewModel !== undefined
    onClicked: viewModel.fetchProject(projectId)
}
