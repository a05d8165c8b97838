import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Codeorchardist

// The bar above every screen: title, folder button and, once a folder is chosen, search,
// kind filter, view-mode switch, the order of the List and the Cards, Rescan and the counters.
// Every control stays whole at every window width from the minimum up (WindowLogic.fitHeader
// says what gives way first).
Rectangle {
    id: bar
    objectName: "headerBar"

    required property var viewModel
    property int viewMode: ViewMode.Cards
    signal viewModeRequested(int mode)
    signal moveSelection(int step)

    readonly property bool hasFolder: viewModel.hasScanPath
    readonly property bool sortShown: hasFolder && (viewMode === ViewMode.List || viewMode === ViewMode.Cards)
    readonly property real margin: 16
    // The widths of the controls that do not flex.
    readonly property real fixedWidth: hasFolder ? search.chromeWidth + kindSlot.width + 2 + modeSwitch.implicitWidth
                                                   + (sortShown ? sortButton.implicitWidth : 0)
                                                   + rescan.implicitWidth + (counters.visible ? counters.fullWidth : 0)
                                                 : 0
    readonly property var fit: WindowLogic.fitHeader({
        available: width - 2 * margin,
        fixedWidth: fixedWidth,
        gaps: hasFolder ? (sortShown ? 10 : 9) - (counters.visible ? 0 : 1) : 2,
        titleTextWidth: titleText.implicitWidth + titleRow.spacing,
        titleSymbolWidth: titleSymbol.implicitWidth,
        sortWidth: sortShown ? sortButton.implicitWidth : 0,
        folderNatural: folderButton.naturalWidth,
        searchShown: hasFolder,
        counterWordsWidth: counters.visible ? counters.wordsWidth : 0,
        counterShortening: counters.visible ? counters.shortening : 0
    })

    function focusSearch() {
        if (search.visible)
            search.focusField()
    }

    color: Theme.windowBackground
    // One height on every screen, with or without the search field.
    implicitHeight: 58

    // How old the stored results shown are while a scan refreshes them: a line under the folder
    // button, below every control, so it takes no room from them at any width.
    Text {
        objectName: "freshnessText"
        visible: text !== ""
        x: bar.margin + folderButton.x
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 2
        text: bar.viewModel.freshnessText
        textFormat: Text.PlainText
        font: Theme.font.caption2
        color: Theme.secondary
    }

    RowLayout {
        id: row
        anchors.fill: parent
        anchors.leftMargin: bar.margin
        anchors.rightMargin: bar.margin
        spacing: bar.fit.gap

        Row {
            id: titleRow
            objectName: "titleGroup"
            visible: bar.fit.showTitleSymbol
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
            width: 136
            Layout.preferredWidth: 136
            Layout.minimumWidth: 136
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
            id: sortButton
            objectName: "sortButton"
            // Where the bar is short of room the order is in the menu bar's View menu alone.
            visible: bar.sortShown && bar.fit.showSortButton
            Layout.alignment: Qt.AlignVCenter
            Layout.minimumWidth: implicitWidth
            symbol: "arrow.up.arrow.down"
            symbolSize: Theme.size("body") + 4
            tip: "Order: " + bar.viewModel.sortOrderTitle
            onClicked: sortMenu.popup(sortButton, 0, sortButton.height + 4)
            SortMenu { id: sortMenu; viewModel: bar.viewModel }
        }

        SymbolButton {
            id: rescan
            objectName: "rescanButton"
            visible: bar.hasFolder
            enabled: !bar.viewModel.isLoading || bar.viewModel.refreshing
            Layout.alignment: Qt.AlignVCenter
            Layout.minimumWidth: implicitWidth
            // While stored results are refreshed it stops the refresh; they stay shown.
            symbol: bar.viewModel.refreshing ? "xmark" : "arrow.clockwise"
            symbolSize: Theme.size("body") + 4
            tip: bar.viewModel.refreshing ? "Stop refreshing" : "Rescan projects"
            onClicked: bar.viewModel.refreshing ? bar.viewModel.stopScan() : bar.viewModel.scanProjects()
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
            readonly property real wordsWidth: pills.reduce((sum, p) => sum + p.wordWidth, 0)
            readonly property real shortening: pills.reduce((sum, p) => sum + p.shortening, 0)
            StatPill {
                id: projectsPill
                showWord: bar.fit.showCounterWords
                useShortLabel: bar.fit.shortCounterWords
                objectName: "projectsPill"
                value: bar.viewModel.projectCount
                label: WindowLogic.countWord(value, "project", "projects")
                tone: "blue"
                FilterClick { objectName: "allFilter"; viewModel: bar.viewModel; key: ""; tip: "Show all projects: clear every filter" }
            }
            StatPill {
                id: modifiedPill
                showWord: bar.fit.showCounterWords
                useShortLabel: bar.fit.shortCounterWords
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
                pill.useShortLabel: bar.fit.shortCounterWords
            }
            // A state filter without a counter of its own shows as a chip that clears it.
            StatPill {
                id: staleChip
                objectName: "staleChip"
                visible: bar.viewModel.statusFilter === "stale"
                value: bar.viewModel.filteredCount
                label: "stale (30d+)"
                shortLabel: "stale"
                useShortLabel: bar.fit.shortCounterWords
                showWord: bar.fit.showCounterWords
                tone: "gray"
                FilterClick { viewModel: bar.viewModel; key: "stale"; tip: "" }
            }
        }
    }
}
