import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Codeorchardist

// The header's search field: a magnifying glass and a borderless text field bound to the
// view model's search text. Up and Down move the list selection while it has focus.
Rectangle {
    id: box
    objectName: "searchBox"

    required property var viewModel
    // The text field's width; the box adds its padding and the symbol.
    property real fieldWidth: 200
    readonly property real chromeWidth: 24 + glass.width + searchRow.spacing
    readonly property alias field: searchField
    signal moveSelection(int step)

    function focusField() {
        searchField.forceActiveFocus()
        searchField.selectAll()
    }

    implicitWidth: chromeWidth + fieldWidth
    implicitHeight: searchRow.implicitHeight + 16
    radius: 8
    color: Theme.tint("secondary", 0.1)
    border.width: searchField.activeFocus ? 2 : 0
    border.color: Theme.accent

    RowLayout {
        id: searchRow
        anchors.fill: parent
        anchors.leftMargin: 12
        anchors.rightMargin: 12
        anchors.topMargin: 8
        anchors.bottomMargin: 8
        SymbolIcon {
            id: glass
            name: "magnifyingglass"
            size: Theme.size("body")
            color: Theme.secondary
        }
        TextField {
            id: searchField
            objectName: "searchField"
            Layout.preferredWidth: box.fieldWidth
            Layout.fillWidth: true
            placeholderText: "Search projects..."
            font: Theme.font.body
            color: Theme.primary
            placeholderTextColor: Theme.secondary
            selectByMouse: true
            leftPadding: 2
            rightPadding: 2
            topPadding: 0
            bottomPadding: 0
            background: Item {}
            text: box.viewModel.searchText
            onTextEdited: box.viewModel.searchText = text
            Keys.onEscapePressed: box.viewModel.searchText = ""
            Keys.onUpPressed: box.moveSelection(-1)
            Keys.onDownPressed: box.moveSelection(1)
        }
    }
}
