import QtQuick
import QtQuick.Controls
import Codeorchardist

// Makes its parent (a counter pill) a toggle of one state filter of the view model: a click
// applies the filter, a second click clears it. The pill is outlined while its filter is on.
// With no key the pill stands for all projects: a click clears every filter, and it is
// outlined while nothing filters. Tab reaches it (a ring in the accent colour); Enter or Space
// clicks it.
MouseArea {
    id: click

    property var viewModel
    property string key
    property string tip
    readonly property bool active: viewModel !== null && viewModel !== undefined
                                   && (key === "" ? !viewModel.filterActive : viewModel.statusFilter === key)

    anchors.fill: parent
    hoverEnabled: true
    cursorShape: Qt.PointingHandCursor
    function activate() { key === "" ? viewModel.clearFilters() : viewModel.toggleStatusFilter(key) }
    onClicked: activate()
    activeFocusOnTab: true
    Keys.onReturnPressed: activate()
    Keys.onEnterPressed: activate()
    Keys.onSpacePressed: activate()
    Accessible.role: Accessible.Button
    Accessible.name: tip
    ToolTip.visible: (containsMouse || activeFocus) && tip !== ""
    ToolTip.delay: 600
    ToolTip.text: active && key !== "" ? "Show all projects" : tip

    Rectangle {
        objectName: "filterOutline"
        anchors.fill: parent
        radius: 8
        color: "transparent"
        visible: click.active
        border.width: 2
        border.color: click.parent && click.parent.tone !== undefined ? Theme.tintedText(click.parent.tone, 0.1) : Theme.accent
    }
    Rectangle {
        objectName: "focusRing"
        anchors.fill: parent
        anchors.margins: -3
        radius: 10
        color: "transparent"
        visible: click.activeFocus
        border.width: 2
        border.color: Theme.accent
    }
}
