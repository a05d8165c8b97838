import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Codeorchardist

// Which editor opens a project: the editors found on this system, and whether the choice is
// kept for every project of the same kind. Opened when no editor is chosen yet and from
// "Choose Editor…".
Dialog {
    id: chooser
    objectName: "editorChooser"

    property var viewModel
    property string projectId
    property string kind
    readonly property var editors: viewModel && viewModel.editors ? viewModel.editors : []

    function openFor(id) {
        const project = viewModel.projectById(id)
        projectId = id
        kind = project.type || ""
        remember.checked = false
        list.currentIndex = editors.length > 0 ? 0 : -1
        open()
        list.forceActiveFocus()
    }
    function choose() {
        if (list.currentIndex < 0)
            return
        ProjectActions.chooseEditor(viewModel, projectId, editors[list.currentIndex].id, remember.checked)
        close()
    }

    title: "Choose Editor"
    modal: true
    anchors.centerIn: Overlay.overlay
    width: 380
    standardButtons: editors.length > 0 ? Dialog.Open | Dialog.Cancel : Dialog.Close
    onAccepted: choose()

    ColumnLayout {
        anchors.fill: parent
        spacing: 12
        // Enter chooses from anywhere in the dialog (the list, the check box).
        Keys.onReturnPressed: chooser.choose()
        Keys.onEnterPressed: chooser.choose()
        ListView {
            id: list
            objectName: "editorList"
            visible: chooser.editors.length > 0
            Layout.fillWidth: true
            Layout.preferredHeight: Math.min(contentHeight, 240)
            clip: true
            model: chooser.editors
            keyNavigationEnabled: true
            delegate: ItemDelegate {
                required property var modelData
                required property int index
                objectName: "editorChoice"
                width: ListView.view.width
                text: modelData.name
                highlighted: ListView.isCurrentItem
                onClicked: list.currentIndex = index
                onDoubleClicked: { list.currentIndex = index; chooser.choose() }
            }
        }
        CheckBox {
            id: remember
            objectName: "rememberForKind"
            visible: chooser.editors.length > 0 && chooser.kind !== ""
            text: "Remember for " + chooser.kind + " projects"
        }
        Text {
            objectName: "noEditorsText"
            visible: chooser.editors.length === 0
            Layout.fillWidth: true
            wrapMode: Text.Wrap
            text: ProjectActions.noEditorsText
            font: Theme.font.body
            color: Theme.primary
        }
    }
}
