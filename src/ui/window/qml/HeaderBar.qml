import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Codeorchardist

// The bar above every screen: title, folder button and, once a folder is chosen, search,
// kind filter, view-mode switch, Rescan and the counters. Every control stays whole at every
// window width from the minimum up: the folder text elides first, then the search field
// narrows, then the title text gives way to its symbol (WindowLogic.fitHeader).
Rectangle {
    id: bar
    objectName: "headerBar"

    required property var viewModel
    property int viewMode: ViewMode.Cards
    signal viewModeRequested(int mode)
    signal moveSelection(int step)

    readonly property bool hasFolder: viewModel.hasScanPath
    readonly property real gap: 16
    readonly property real margin: 16
    // The widths of the controls that do not flex, and the gaps between all of them.
    readonly property real fixedWidth: titleSymbol.implicitWidth
        + (hasFolder ? search.chromeWidth + kindSlot.width + 2 + modeSwitch.implicitWidth
                       + rescan.implicitWidth + counters.fullWidth : 0)
        + gap * (hasFolder ? 9 : 2)
    readonly property var fit: WindowLogic.fitHeader(width - 2 * margin, fixedWidth,
                                                     titleText.implicitWidth + titleRow.spacing,
                                                     folderButton.naturalWidth, hasFolder, counters.wordsWidth)

    function focusSearch() {
        if (search.visible)
            search.focusField()
    }

    color: Theme.windowBackground
    // One height on every screen, with or without the search field.
    implicitHeight: 58

    RowLayout {
        id: row
        anchors.fill: parent
        anchors.leftMargin: bar.margin
        anchors.rightMargin: bar.margin
        spacing: bar.gap

        Row {
            id: titleRow
            objectName: "titleGroup"
            spacing: 8
            Layout.alignment: Qt.AlignVCenter
            SymbolIcon {
                id: titleSymbol
                anchors.verticalCenter: parent.verticalCenter
                name: "building.2.fill"
                size: Theme.size("title2")
                color: Theme.symbolTone("blue")
            }
            Text {
                id: titleText
                objectName: "titleText"
                anchors.verticalCenter: parent.verticalCenter
                visible: bar.fit.showTitleText
                text: "Codeorchardist"
                font: Theme.font.headline
                color: Theme.primary
            }
        }

        FolderButton {
            id: folderButton
            Layout.alignment: Qt.AlignVCenter
            Layout.preferredWidth: bar.fit.folderWidth
            Layout.minimumWidth: bar.fit.folderWidth
            Layout.maximumWidth: bar.fit.folderWidth
            folderText: WindowLogic.folderText(bar.viewModel.scanPath)
            onClicked: bar.viewModel.selectFolder()
        }

        Item { Layout.fillWidth: true }

        SearchBox {
            id: search
            visible: bar.hasFolder
            viewModel: bar.viewModel
            fieldWidth: bar.fit.searchWidth
            Layout.alignment: Qt.AlignVCenter
            Layout.preferredWidth: implicitWidth
            Layout.minimumWidth: implicitWidth
            onMoveSelection: (step) => bar.moveSelection(step)
        }

        // The kind filter's place is kept while it is hidden, so the search field stays put.
        Item {
            id: kindSlot
            visible: bar.hasFolder
            width: 150
            Layout.preferredWidth: 150
            Layout.minimumWidth: 150
            Layout.preferredHeight: kindFilter.implicitHeight
            Layout.alignment: Qt.AlignVCenter
            KindFilterBox {
                id: kindFilter
                anchors.fill: parent
                visible: bar.viewModel.typeCounts.length > 0
                viewModel: bar.viewModel
            }
        }

        Rectangle {
            visible: bar.hasFolder
            Layout.preferredWidth: 1
            Layout.preferredHeight: 24
            color: Theme.separator
        }

        ViewModeSwitch {
            id: modeSwitch
            objectName: "viewModeSwitch"
            visible: bar.hasFolder
            Layout.preferredWidth: implicitWidth
            Layout.minimumWidth: implicitWidth
            Layout.alignment: Qt.AlignVCenter
            mode: bar.viewMode
            onModeRequested: (m) => bar.viewModeRequested(m)
        }

        Rectangle {
            visible: bar.hasFolder
            Layout.preferredWidth: 1
            Layout.preferredHeight: 24
            color: Theme.separator
        }

        SymbolButton {
            id: rescan
            objectName: "rescanButton"
            visible: bar.hasFolder
            enabled: !bar.viewModel.isLoading
            Layout.alignment: Qt.AlignVCenter
            Layout.minimumWidth: implicitWidth
            symbol: "arrow.clockwise"
            symbolSize: Theme.size("body") + 4
            tip: "Rescan projects"
            onClicked: bar.viewModel.scanProjects()
        }

        // Counters; more may follow the two pills.
        Row {
            id: counters
            objectName: "counters"
            // The counts belong to the projects shown: none while a new root's first scan runs.
            visible: bar.hasFolder && bar.viewModel.showsScanPath
            spacing: 12
            Layout.alignment: Qt.AlignVCenter
            Layout.minimumWidth: implicitWidth
            readonly property var pills: staleChip.visible ? [projectsPill, modifiedPill, attention.pill, staleChip]
                                                           : [projectsPill, modifiedPill, attention.pill]
            readonly property real fullWidth: pills.reduce((sum, p) => sum + p.fullWidth, 0) + spacing * (pills.length - 1)
                + (attention.implicitWidth - attention.pill.implicitWidth)
            readonly property real wordsWidth: pills.reduce((sum, p) => sum + p.wordWidth, 0)
            StatPill {
                id: projectsPill
                showWord: bar.fit.showCounterWords
                objectName: "projectsPill"
                value: bar.viewModel.projectCount
                label: WindowLogic.countWord(value, "project", "projects")
                tone: "blue"
                FilterClick { objectName: "allFilter"; viewModel: bar.viewModel; key: ""; tip: "Show all projects: clear every filter" }
            }
            StatPill {
                id: modifiedPill
                showWord: bar.fit.showCounterWords
                objectName: "modifiedPill"
                value: bar.viewModel.modifiedCount
                label: "modified"
                tone: "orange"
                FilterClick { viewModel: bar.viewModel; key: "modified"; tip: "Show only the projects with uncommitted changes" }
            }
            AttentionCounter {
                id: attention
                viewModel: bar.viewModel
                pill.showWord: bar.fit.showCounterWords
            }
            // A state filter without a counter of its own shows as a chip that clears it.
            StatPill {
                id: staleChip
                objectName: "staleChip"
                visible: bar.viewModel.statusFilter === "stale"
                value: bar.viewModel.filteredCount
                label: "stale (30d+)"
                tone: "gray"
                FilterClick { viewModel: bar.viewModel; key: "stale"; tip: "" }
            }
        }
    }
}
