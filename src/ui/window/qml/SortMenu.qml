import QtQuick
import QtQuick.Controls
import Codeorchardist

// The order of the List and the Cards, and whether the projects inside another repository show.
Menu {
    id: menu
    objectName: "sortMenu"

    required property var viewModel

    Instantiator {
        model: menu.viewModel.sortOrders
        delegate: MenuItem {
            required property var modelData
            objectName: "sortOrder_" + modelData.key
            text: modelData.title
            checkable: true
            checked: menu.viewModel.sortOrder === modelData.key
            onTriggered: menu.viewModel.sortOrder = modelData.key
        }
        onObjectAdded: (index, item) => menu.insertItem(index, item)
        onObjectRemoved: (index, item) => menu.removeItem(item)
    }
    MenuSeparator {}
    MenuItem {
        objectName: "hideNestedItem"
        text: "Hide projects inside a repository (" + menu.viewModel.nestedCount + ")"
        checkable: true
        checked: menu.viewModel.hideNested
        onTriggered: menu.viewModel.hideNested = !menu.viewModel.hideNested
    }
}
