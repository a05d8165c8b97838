import QtQuick
import Codeorchardist

// Where the window answers the project actions: the notice for every answer, the editor
// chooser when the view model or a menu asks for it, and the summary of a Fetch, Pull or Push
// of every project.
Item {
    id: actions

    required property var viewModel
    // The strip that shows the answers.
    required property var notice

    readonly property alias chooser: editorChooser
    readonly property var bulk: viewModel.bulk ? viewModel.bulk : null
    readonly property bool bulkRunning: bulk !== null && bulk.isRunning
    onBulkRunningChanged: if (!bulkRunning && bulk.results.length > 0) bulkSummary.showResults(bulk.summaryText, bulk.results)

    EditorChooser {
        id: editorChooser
        parent: actions.Window.window ? actions.Window.window.contentItem : actions
        viewModel: actions.viewModel
    }
    BulkSummary {
        id: bulkSummary
        parent: editorChooser.parent
        viewModel: actions.viewModel
    }
    Connections {
        target: actions.viewModel
        ignoreUnknownSignals: true
        function onActionFeedback(message) { actions.notice.show(message) }
        function onEditorChoiceNeeded(id) { editorChooser.openFor(id) }
    }
    Connections {
        target: ProjectActions
        function onAnswered(message) { actions.notice.show(message) }
        function onChooseEditorRequested(id) { editorChooser.openFor(id) }
    }
}
