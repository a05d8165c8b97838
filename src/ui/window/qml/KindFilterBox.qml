import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Codeorchardist

// The kind filter: "All Types" and one entry per kind present, with its symbol and count.
ComboBox {
    id: kindFilter
    objectName: "kindFilter"

    required property var viewModel

    model: WindowLogic.kindFilterEntries(viewModel.typeCounts)
    textRole: "text"
    valueRole: "type"
    font: Theme.font.body
    currentIndex: WindowLogic.kindFilterIndex(viewModel.typeCounts, viewModel.selectedTypeFilter)
    onActivated: (index) => viewModel.selectedTypeFilter = model[index].type
    delegate: ItemDelegate {
        required property var modelData
        required property int index
        width: ListView.view ? ListView.view.width : implicitWidth
        highlighted: kindFilter.highlightedIndex === index
        contentItem: RowLayout {
            spacing: 8
            SymbolIcon {
                visible: modelData.icon !== ""
                name: modelData.icon
                size: Theme.size("body")
                color: Theme.symbolTone(modelData.color)
            }
            Text {
                Layout.fillWidth: true
                text: modelData.text
                textFormat: Text.PlainText
                font: Theme.font.body
                color: Theme.primary
                elide: Text.ElideRight
            }
        }
    }
    popup.width: Math.max(kindFilter.width, 200)
    leftPadding: 10
    rightPadding: 28
    background: Rectangle {
        implicitHeight: 30
        radius: 6
        color: kindFilter.down ? Theme.tint("secondary", 0.15) : Theme.controlBackground
        border.width: kindFilter.visualFocus ? 2 : 1
        border.color: kindFilter.visualFocus ? Theme.accent : Theme.separator
    }
    contentItem: RowLayout {
        spacing: 6
        SymbolIcon {
            readonly property var entry: kindFilter.currentIndex >= 0 ? kindFilter.model[kindFilter.currentIndex] : undefined
            visible: entry !== undefined && entry.icon !== ""
            name: entry !== undefined ? entry.icon : ""
            size: Theme.size("body")
            color: entry !== undefined ? Theme.symbolTone(entry.color) : Theme.primary
        }
        Text {
            Layout.fillWidth: true
            text: kindFilter.displayText
            textFormat: Text.PlainText
            font: Theme.font.body
            color: Theme.primary
            elide: Text.ElideRight
            verticalAlignment: Text.AlignVCenter
        }
    }
    indicator: SymbolIcon {
        x: kindFilter.width - width - 8
        y: (kindFilter.height - height) / 2
        name: "chevron.down"
        size: 16
        color: Theme.secondary
    }
}
