import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Codeorchardist

// The bar above every screen: title, folder button and, once a folder is chosen, search,
// kind filter, view-mode switch, Rescan and the two counters.
Rectangle {
    id: bar
    objectName: "headerBar"

    required property var viewModel
    property int viewMode: ViewMode.Cards
    signal viewModeRequested(int mode)

    function focusSearch() {
        if (searchField.visible) {
            searchField.forceActiveFocus()
            searchField.selectAll()
        }
    }

    color: Theme.windowBackground
    implicitHeight: row.implicitHeight + 24

    RowLayout {
        id: row
        anchors.fill: parent
        anchors.leftMargin: 16
        anchors.rightMargin: 16
        anchors.topMargin: 12
        anchors.bottomMargin: 12
        spacing: 16

        // Title
        Row {
            spacing: 8
            Layout.alignment: Qt.AlignVCenter
            SymbolIcon {
                anchors.verticalCenter: parent.verticalCenter
                name: "building.2.fill"
                size: Theme.size("title2")
                color: Theme.color("blue")
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: "Codeorchardist"
                font: Theme.font.headline
                color: Theme.primary
            }
        }

        // Folder button
        AbstractButton {
            id: folderButton
            objectName: "folderButton"
            Layout.alignment: Qt.AlignVCenter
            Layout.maximumWidth: bar.viewModel.hasScanPath ? 280 : 420
            hoverEnabled: true
            ToolTip.visible: hovered
            ToolTip.delay: 600
            ToolTip.text: "Click to change project folder"
            onClicked: bar.viewModel.selectFolder()
            implicitWidth: folderRow.implicitWidth + 20
            implicitHeight: folderRow.implicitHeight + 12
            background: Rectangle {
                radius: 6
                color: Theme.tint("secondary", folderButton.down ? 0.2 : folderButton.hovered ? 0.15 : 0.1)
            }
            contentItem: Item {
                RowLayout {
                    id: folderRow
                    anchors.fill: parent
                    anchors.leftMargin: 10
                    anchors.rightMargin: 10
                    anchors.topMargin: 6
                    anchors.bottomMargin: 6
                    spacing: 6
                    SymbolIcon {
                        name: "folder.fill"
                        size: Theme.size("body")
                        color: Theme.secondary
                    }
                    Text {
                        objectName: "folderText"
                        Layout.fillWidth: true
                        text: WindowLogic.folderText(bar.viewModel.scanPath)
                        font: Theme.font.caption
                        color: Theme.secondary
                        elide: Text.ElideMiddle
                        maximumLineCount: 1
                    }
                    SymbolIcon {
                        name: "chevron.down"
                        size: Theme.size("caption2")
                        color: Theme.secondary
                    }
                }
            }
        }

        Item { Layout.fillWidth: true }

        // Search field
        Rectangle {
            objectName: "searchBox"
            visible: bar.viewModel.hasScanPath
            Layout.alignment: Qt.AlignVCenter
            implicitWidth: searchRow.implicitWidth + 24
            implicitHeight: searchRow.implicitHeight + 16
            radius: 8
            color: Theme.tint("secondary", 0.1)
            border.width: searchField.activeFocus ? 1 : 0
            border.color: Theme.tint("blue", 0.6)
            RowLayout {
                id: searchRow
                anchors.fill: parent
                anchors.leftMargin: 12
                anchors.rightMargin: 12
                anchors.topMargin: 8
                anchors.bottomMargin: 8
                SymbolIcon {
                    name: "magnifyingglass"
                    size: Theme.size("body")
                    color: Theme.secondary
                }
                TextField {
                    id: searchField
                    objectName: "searchField"
                    Layout.preferredWidth: 200
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
                    text: bar.viewModel.searchText
                    onTextEdited: bar.viewModel.searchText = text
                    Keys.onEscapePressed: bar.viewModel.searchText = ""
                }
            }
        }

        // Kind filter
        ComboBox {
            id: kindFilter
            objectName: "kindFilter"
            visible: bar.viewModel.hasScanPath && bar.viewModel.typeCounts.length > 0
            Layout.preferredWidth: 150
            Layout.alignment: Qt.AlignVCenter
            model: WindowLogic.kindFilterEntries(bar.viewModel.typeCounts)
            textRole: "text"
            valueRole: "type"
            font: Theme.font.body
            currentIndex: WindowLogic.kindFilterIndex(bar.viewModel.typeCounts, bar.viewModel.selectedTypeFilter)
            onActivated: (index) => bar.viewModel.selectedTypeFilter = model[index].type
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
                        color: Theme.color(modelData.color)
                    }
                    Text {
                        Layout.fillWidth: true
                        text: modelData.text
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
                border.width: 1
                border.color: kindFilter.visualFocus ? Theme.accent : Theme.separator
            }
            contentItem: RowLayout {
                spacing: 6
                SymbolIcon {
                    readonly property var entry: kindFilter.currentIndex >= 0 ? kindFilter.model[kindFilter.currentIndex] : undefined
                    visible: entry !== undefined && entry.icon !== ""
                    name: entry !== undefined ? entry.icon : ""
                    size: Theme.size("body")
                    color: entry !== undefined ? Theme.color(entry.color) : Theme.primary
                }
                Text {
                    Layout.fillWidth: true
                    text: kindFilter.displayText
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

        Rectangle {
            visible: bar.viewModel.hasScanPath
            Layout.preferredWidth: 1
            Layout.preferredHeight: 24
            color: Theme.separator
        }

        // View-mode switch
        ViewModeSwitch {
            objectName: "viewModeSwitch"
            visible: bar.viewModel.hasScanPath
            Layout.preferredWidth: 160
            Layout.alignment: Qt.AlignVCenter
            mode: bar.viewMode
            onModeRequested: (m) => bar.viewModeRequested(m)
        }

        Rectangle {
            visible: bar.viewModel.hasScanPath
            Layout.preferredWidth: 1
            Layout.preferredHeight: 24
            color: Theme.separator
        }

        // Rescan
        SymbolButton {
            objectName: "rescanButton"
            visible: bar.viewModel.hasScanPath
            enabled: !bar.viewModel.isLoading
            Layout.alignment: Qt.AlignVCenter
            symbol: "arrow.clockwise"
            symbolSize: Theme.size("body") + 4
            tip: "Rescan projects"
            onClicked: bar.viewModel.scanProjects()
        }

        // Counters
        Row {
            visible: bar.viewModel.hasScanPath
            spacing: 12
            Layout.alignment: Qt.AlignVCenter
            StatPill {
                objectName: "projectsPill"
                value: bar.viewModel.projectCount
                label: "projects"
                color: Theme.color("blue")
            }
            StatPill {
                objectName: "modifiedPill"
                value: bar.viewModel.modifiedCount
                label: "modified"
                color: Theme.color("orange")
                FilterClick { viewModel: bar.viewModel; key: "modified"; tip: "Show only the projects with uncommitted changes" }
            }
            AttentionCounter { viewModel: bar.viewModel }
        }
    }
}
