import QtQuick
import QtQuick.Controls
import Codeorchardist

// The actions on one project, the same in every view: opened by a right click, the Menu key
// or Shift+F10. What it offers comes from ProjectActions; an action that cannot work is
// greyed with its reason beneath it.
Menu {
    id: menu
    objectName: "projectContextMenu"

    property var viewModel
    property string projectId
    property var entries: []

    // Opens for project `id`: at the pointer, or over `item` when the keyboard asked.
    function openFor(id, item) {
        if (!id)
            return
        projectId = id
        entries = ProjectActions.menuEntries(viewModel, id)
        if (entries.length === 0)
            return
        if (item)
            popup(item, Math.min(24, item.width / 2), Math.min(24, item.height / 2))
        else
            popup()
    }
    // The view's keys: Enter opens the selected project in the editor, the Menu key and
    // Shift+F10 this menu over `item` (or the item a function gives).
    function handleKey(event, item) {
        const id = viewModel ? viewModel.selectedProjectId : ""
        const action = ProjectActions.keyAction(event.key, event.modifiers)
        if (id === "" || action === ProjectActions.NoKey)
            return
        event.accepted = true
        if (action === ProjectActions.OpenKey)
            ProjectActions.trigger(viewModel, "editor", id)
        else
            openFor(id, typeof item === "function" ? item() : item)
    }

    background: Rectangle {
        implicitWidth: 220
        radius: 6
        color: Theme.controlBackground
        border.width: 1
        border.color: Theme.separator
    }

    Instantiator {
        model: menu.entries
        delegate: MenuItem {
            id: entry
            required property var modelData
            readonly property bool separator: modelData.key === ""
            objectName: separator ? "" : "menuAction_" + modelData.key
            text: modelData.text
            enabled: !separator && modelData.enabled
            height: separator ? 9 : implicitHeight
            font: Theme.font.body
            contentItem: Column {
                spacing: 2
                Rectangle {
                    visible: entry.separator
                    width: parent.width
                    height: 1
                    color: Theme.separator
                }
                Text {
                    visible: !entry.separator
                    text: entry.text
                    font: entry.font
                    color: entry.enabled ? Theme.primary : Theme.secondary
                }
                Text {
                    objectName: "menuReason"
                    visible: !entry.separator && !entry.enabled && text !== ""
                    text: entry.modelData.reason
                    font: Theme.font.caption
                    color: Theme.secondary
                }
            }
            onTriggered: ProjectActions.trigger(menu.viewModel, modelData.key, menu.projectId)
        }
        onObjectAdded: (index, item) => menu.insertItem(index, item)
        onObjectRemoved: (index, item) => menu.removeItem(item)
    }
}
