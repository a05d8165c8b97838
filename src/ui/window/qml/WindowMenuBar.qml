import QtQuick
import QtQuick.Controls
import Codeorchardist

// The window's menu bar, drawn like the header below it: "Projects" holds Choose Folder...,
// Refresh All, Fetch All, Pull All, Push All and Quit, each with its shortcut; "View" the order
// of the List and the Cards and the hiding of projects inside a repository.
MenuBar {
    id: bar
    objectName: "menuBar"

    required property var viewModel
    // The actions on every project, also behind the buttons beside the menus.
    readonly property alias fetchAll: fetchAllAction
    readonly property alias pullAll: pullAllAction
    readonly property alias pushAll: pushAllAction
    readonly property var bulk: viewModel.bulk ? viewModel.bulk : null
    readonly property bool busy: viewModel.fetcher.isFetching || (bulk !== null && bulk.isRunning)
    readonly property bool canAct: viewModel.hasScanPath && !viewModel.isLoading && !busy
    signal chooseFolder()
    signal quit()

    // The window coming to the front reads again what does not follow the disk by itself.
    readonly property bool windowActive: Window.active
    onWindowActiveChanged: if (windowActive) viewModel.windowActivated()

    background: Rectangle {
        implicitHeight: 28
        color: Theme.windowBackground
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: Theme.separator
        }
    }
    delegate: MenuBarItem {
        id: item
        font: Theme.font.body
        contentItem: Text {
            text: item.text
            font: item.font
            color: Theme.primary
            verticalAlignment: Text.AlignVCenter
        }
        background: Rectangle {
            radius: 4
            color: item.highlighted || item.down ? Theme.tint("secondary", 0.15) : "transparent"
        }
    }

    component ShortcutItem: MenuItem {
        id: entry
        objectName: action ? action.objectName + "Item" : ""
        font: Theme.font.body
        implicitWidth: 260
        contentItem: Item {
            implicitHeight: name.implicitHeight
            Text {
                id: name
                anchors.left: parent.left
                anchors.verticalCenter: parent.verticalCenter
                text: entry.text
                font: entry.font
                color: entry.enabled ? Theme.primary : Theme.secondary
            }
            Text {
                objectName: "shortcutText"
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                text: entry.action ? WindowLogic.shortcutText(entry.action.shortcut) : ""
                font: entry.font
                color: Theme.secondary
            }
        }
    }

    Menu {
        title: "Projects"
        delegate: ShortcutItem {}
        Action {
            objectName: "chooseFolderAction"
            text: "Choose Folder..."
            shortcut: "Ctrl+O"
            onTriggered: bar.chooseFolder()
        }
        Action {
            objectName: "refreshAllAction"
            text: "Refresh All"
            shortcut: "Ctrl+R"
            // Like the Rescan button: nothing to do while a scan runs or before a folder is chosen.
            enabled: bar.viewModel.hasScanPath && !bar.viewModel.isLoading
            onTriggered: bar.viewModel.scanProjects()
        }
        Action {
            id: fetchAllAction
            objectName: "fetchAllAction"
            text: "Fetch All"
            shortcut: "Ctrl+Shift+F"
            enabled: bar.canAct
            onTriggered: bar.viewModel.fetchAll()
        }
        Action {
            id: pullAllAction
            objectName: "pullAllAction"
            text: "Pull All"
            shortcut: "Ctrl+Shift+D"
            enabled: bar.canAct && ProjectActions.hasAbility(bar.viewModel, "pullPush")
            onTriggered: bar.viewModel.pullAll()
        }
        Action {
            id: pushAllAction
            objectName: "pushAllAction"
            text: "Push All"
            shortcut: "Ctrl+Shift+U"
            enabled: bar.canAct && ProjectActions.hasAbility(bar.viewModel, "pullPush")
            onTriggered: bar.viewModel.pushAll()
        }
        MenuSeparator {}
        Action {
            objectName: "quitAction"
            text: "Quit"
            shortcut: "Ctrl+Q"
            onTriggered: bar.quit()
        }
    }

    SortMenu {
        objectName: "viewMenu"
        title: "View"
        viewModel: bar.viewModel
        enabled: bar.viewModel.hasScanPath
    }
}
