import QtQuick
import Codeorchardist

// Fetch All, Pull All and Push All side by side (the menu's actions, with their shortcuts),
// and while one runs its progress and Stop.
Row {
    id: strip
    objectName: "bulkActions"

    required property var viewModel
    // The menu bar, whose actions the buttons trigger.
    required property var menus
    readonly property var bulk: menus.bulk
    readonly property bool bulkRunning: bulk !== null && bulk.isRunning
    readonly property bool fetching: viewModel.fetcher.isFetching
    readonly property bool pullPush: ProjectActions.hasAbility(viewModel, "pullPush")

    visible: viewModel.hasScanPath
    spacing: 6

    Text {
        objectName: "fetchProgress"
        anchors.verticalCenter: parent.verticalCenter
        visible: strip.bulkRunning || strip.fetching
        text: strip.bulkRunning ? strip.bulk.progressText : strip.viewModel.fetcher.progressText
        font: Theme.font.caption
        color: Theme.secondary
    }
    StripButton {
        objectName: "stopBulkButton"
        visible: strip.bulkRunning || strip.fetching
        text: "Stop"
        symbol: "stop.fill"
        tip: "Stop: what is running ends, the rest is skipped"
        onClicked: ProjectActions.stopAll(strip.viewModel)
    }
    StripButton { objectName: "fetchAllButton"; action: strip.menus.fetchAll; symbol: "arrow.down.circle" }
    StripButton { objectName: "pullAllButton"; visible: strip.pullPush; action: strip.menus.pullAll; symbol: "arrow.down.to.line" }
    StripButton { objectName: "pushAllButton"; visible: strip.pullPush; action: strip.menus.pushAll; symbol: "arrow.up.to.line" }

    component StripButton: LabelButton {
        anchors.verticalCenter: parent.verticalCenter
        height: 22
        leftPadding: 8
        rightPadding: 8
        topPadding: 2
        bottomPadding: 2
        labelFont: Theme.font.caption
        tip: action ? action.text + " (" + WindowLogic.shortcutText(action.shortcut) + ")" : ""
    }
}
