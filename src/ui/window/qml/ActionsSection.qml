import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Codeorchardist

// The detail pane's "Actions": open in the editor (with the chooser beside it), the file
// manager, the terminal and the remote's web page; pull and push for repositories. What each
// button offers, and why one cannot work, comes from ProjectActions.
ColumnLayout {
    id: section
    objectName: "actionsSection"

    required property var project
    property var viewModel: null
    signal openFinder()
    signal openTerminal()

    readonly property bool fetching: viewModel ? viewModel.fetcher.isFetching : false
    // Read again when the chosen editor changes (its name is the editor button's label).
    function stateOf(key) {
        void ProjectActions.editorRevision
        return ProjectActions.buttonState(viewModel, project, fetching, key)
    }
    function run(key) { ProjectActions.trigger(viewModel, key, project.id) }

    spacing: 12

    Text {
        textFormat: Text.PlainText
        text: "Actions"
        font: Theme.font.headline
        color: Theme.primary
    }
    Flow {
        objectName: "actionsRow"
        Layout.fillWidth: true
        spacing: 12
        ActionButton { key: "editor"; objectName: "openEditorButton"; symbol: "pencil"; prominent: true }
        SymbolButton {
            objectName: "chooseEditorButton"
            visible: ProjectActions.hasAbility(section.viewModel, "editor")
            height: 30
            symbol: "chevron.down"
            tip: "Choose Editor…"
            Accessible.name: tip
            onClicked: section.run("chooseEditor")
            Keys.onReturnPressed: clicked()
            Keys.onEnterPressed: clicked()
        }
        LabelButton {
            objectName: "openFinderButton"
            // The Linux name of the desktop's file browser.
            text: "Open in File Manager"
            symbol: "folder"
            onClicked: section.openFinder()
        }
        LabelButton {
            objectName: "openTerminalButton"
            text: "Open in Terminal"
            symbol: "terminal"
            onClicked: section.openTerminal()
        }
        ActionButton { key: "browser"; objectName: "openBrowserButton"; symbol: "safari" }
        ActionButton { key: "pull"; objectName: "pullButton"; symbol: "arrow.down.to.line" }
        ActionButton { key: "push"; objectName: "pushButton"; symbol: "arrow.up.to.line" }
    }

    // A button for one of ProjectActions' entries: shown, labelled and explained by its state.
    component ActionButton: LabelButton {
        required property string key
        readonly property var entryState: section.stateOf(key)
        visible: entryState.shown
        text: entryState.text
        available: entryState.enabled
        tip: entryState.tip
        onActivated: section.run(key)
    }
}
