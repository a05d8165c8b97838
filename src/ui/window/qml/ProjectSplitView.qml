import QtQuick
import QtQuick.Controls
import Codeorchardist

// The List mode: the sidebar list of the filtered projects and the selected project's details.
SplitView {
    id: split

    required property var viewModel
    // Where the column's width is kept once the user has dragged it (listWidth, 0 before).
    property var layoutState: null
    signal moveSelection(int step)

    orientation: Qt.Horizontal
    handle: PaneHandle {}

    Rectangle {
        id: sidebar
        // The column widens with the window until the user drags it.
        SplitView.preferredWidth: split.layoutState && split.layoutState.listWidth > 0
                                  ? split.layoutState.listWidth : Math.max(300, Math.min(520, split.width * 0.3))
        SplitView.minimumWidth: 240
        SplitView.maximumWidth: Math.max(240, split.width - 400)
        onWidthChanged: if (split.resizing && split.layoutState) split.layoutState.listWidth = width
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
            Keys.onPressed: (event) => actionsMenu.handleKey(event, list.currentItem ? list.currentItem : list)
            // The selection in view from the start (switching to List) and after every move.
            Component.onCompleted: {
                forceActiveFocus()
                Qt.callLater(() => { if (currentIndex >= 0) positionViewAtIndex(currentIndex, ListView.Contain) })
            }
            onCurrentIndexChanged: if (currentIndex >= 0) positionViewAtIndex(currentIndex, ListView.Contain)
            // The answer strip below shortens the list: the selection stays in view.
            onHeightChanged: if (currentIndex >= 0) positionViewAtIndex(currentIndex, ListView.Contain)

            footer: Item { width: 1; height: split.viewModel.filterActive ? 44 : 0 }
            delegate: ProjectRowView {
                width: ListView.view.width - 12
                selected: ListView.isCurrentItem
                onClicked: {
                    list.forceActiveFocus()
                    split.viewModel.selectProject(project.id)
                }
                onDoubleClicked: ProjectActions.trigger(split.viewModel, "editor", project.id)
                TapHandler {
                    acceptedButtons: Qt.RightButton
                    onTapped: {
                        list.forceActiveFocus()
                        split.viewModel.selectProject(parent.project.id)
                        actionsMenu.openFor(parent.project.id, null)
                    }
                }
            }
            ProjectContextMenu { id: actionsMenu; viewModel: split.viewModel }
        }
        MatchBadge {
            viewModel: split.viewModel
            anchors.left: parent.left
            anchors.bottom: parent.bottom
            anchors.margins: 12
        }
    }

    DetailPane {
        SplitView.fillWidth: true
        SplitView.minimumWidth: 400
        viewModel: split.viewModel
    }
}
