import QtQuick
import QtQuick.Controls
import Codeorchardist

// "2 of 27 shown" while a search, kind or state filter narrows the projects, with a button that
// clears every filter. The same badge in every view mode.
Rectangle {
    id: badge
    objectName: "matchBadge"

    property var viewModel: null

    visible: viewModel !== null && viewModel.filterActive
    width: row.implicitWidth + 16
    height: row.implicitHeight + 8
    radius: 8
    color: Theme.windowBackground
    border.color: Theme.separator

    Row {
        id: row
        anchors.centerIn: parent
        spacing: 6
        Text {
            objectName: "matchText"
            anchors.verticalCenter: parent.verticalCenter
            text: badge.viewModel ? badge.viewModel.matchSummary : ""
            textFormat: Text.PlainText
            font: Theme.font.caption
            color: Theme.primary
        }
        SymbolButton {
            objectName: "clearFiltersButton"
            anchors.verticalCenter: parent.verticalCenter
            symbol: "xmark.circle.fill"
            symbolSize: Theme.size("caption") + 2
            bordered: false
            implicitWidth: 22
            implicitHeight: 22
            tip: "Clear every filter"
            onClicked: badge.viewModel.clearFilters()
        }
    }
}
