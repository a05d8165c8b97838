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
    // A summary appears when a batch (Fetch All, Pull All, Push All) has ended; closing it
    // dismisses it, so the next batch shows its own.
    readonly property string summaryText: bulk !== null && !bulk.isRunning ? bulk.summaryText : ""
    onSummaryTextChanged: if (summaryText !== "") bulkSummary.showResults(bulk.action, summaryText, bulk.results)

    EditorChooser {
        id: editorChooser
        parent: actions.Window.window ? actions.Window.window.contentItem : actions
        viewModel: actions.viewModel
    }
    BulkSummary {
        id: bulkSummary
        parent: editorChooser.parent
        viewModel: actions.viewModel
        onClosed: if (actions.bulk) actions.bulk.dismissSummary()
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
