import QtQuick
import Codeorchardist

// "Fetch" for one project: runs git fetch in its repository, then refreshes it. Greyed, with
// the reason in its tooltip, where there is nothing to fetch from or a fetch runs.
LabelButton {
    id: button
    objectName: "fetchProjectButton"

    property var viewModel
    property var project: ({})
    readonly property string projectId: project && project.id ? project.id : ""
    readonly property bool busy: viewModel ? viewModel.fetcher.isFetching : false
    readonly property var entryState: ProjectActions.buttonState(viewModel, project, busy, "fetch")

    text: busy ? "Fetching..." : "Fetch"
    available: viewModel !== null && viewModel !== undefined && entryState.enabled
    tip: entryState.tip
    onActivated: viewModel.fetchProject(projectId)
}
