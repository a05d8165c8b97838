import QtQuick
import Codeorchardist

// The row above the header: the menus on the left, the actions on every project (Fetch All,
// Pull All, Push All, with the progress and Stop of a running one) on the right, where the
// menu bar leaves room at every window width.
Item {
    id: top

    required property var viewModel
    readonly property alias menus: menuBar
    signal chooseFolder()
    signal quit()

    implicitHeight: menuBar.implicitHeight

    WindowMenuBar {
        id: menuBar
        anchors.fill: parent
        viewModel: top.viewModel
        onChooseFolder: top.chooseFolder()
        onQuit: top.quit()
    }
    BulkActionsBar {
        anchors.right: parent.right
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        viewModel: top.viewModel
        menus: menuBar
    }
}
