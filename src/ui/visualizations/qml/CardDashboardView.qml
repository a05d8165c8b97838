import QtQuick
import QtQuick.Controls
import Codeorchardist

// The Cards mode: four statistics over the projects shown, then one card per project in a
// grid of columns 280 to 350 wide, 20 apart. Each row of the grid is as high as its tallest
// card and the cards of a row share that height, so rows follow each other 20 apart whatever
// the cards show. Cards are created only as they scroll into view, and reused.
Rectangle {
    id: root

    required property var viewModel

    readonly property alias stats: dashboardStats
    readonly property alias grid: cards

    // The grid's geometry: as many columns of at least 280 as fit, at most 350 wide each.
    readonly property real available: Math.max(0, width - 48)
    readonly property int columns: CardMetrics.gridColumns(available)
    readonly property real cellWidth: CardMetrics.gridCellWidth(available)
    readonly property real cardWidth: CardMetrics.gridCardWidth(available)

    color: Theme.windowBackground
    focus: true
    Keys.onPressed: (event) => actionsMenu.handleKey(event, root)
    ProjectContextMenu { id: actionsMenu; viewModel: root.viewModel }

    DashboardStats {
        id: dashboardStats
        model: root.viewModel ? root.viewModel.filteredModel : null
    }

    CardGridModel {
        id: gridModel
        source: root.viewModel ? root.viewModel.filteredModel : null
        columns: root.columns
        // A card that gained or lost its git rows changes its row's height.
        onDataChanged: Qt.callLater(cards.forceLayout)
    }

    TableView {
        id: cards
        objectName: "cards"
        anchors.fill: parent
        anchors.rightMargin: 4
        leftMargin: 24
        // The statistics sit in the top margin and scroll with the cards.
        topMargin: 24 + overview.height + 24
        bottomMargin: 24
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        flickableDirection: Flickable.VerticalFlick
        columnSpacing: 20
        rowSpacing: 20
        columnWidthProvider: function () { return root.cellWidth - 20 }
        reuseItems: true
        model: gridModel

        // The columns follow the width; the rows are measured again.
        onWidthChanged: Qt.callLater(cards.forceLayout)

        StatsOverview {
            id: overview
            objectName: "statsOverview"
            parent: cards.contentItem
            x: 0
            y: -height - 24
            width: root.available
            stats: dashboardStats
            viewModel: root.viewModel
        }

        delegate: Item {
            id: cell
            // Roles of the project list: id, name, path, type, icon, color, version, ...
            required property var model

            implicitWidth: root.cellWidth - 20
            implicitHeight: cell.model.filler ? 0 : card.implicitHeight
            visible: !cell.model.filler

            ProjectCard {
                id: card
                objectName: "projectCard"
                // On whole pixels of the window, where a card's texture meets the screen one to one.
                x: Math.round(cell.x + (cell.width - width) / 2) - cell.x
                width: root.cardWidth
                height: cell.height
                projectId: cell.model.id
                name: cell.model.name
                typeText: cell.model.type
                kindIcon: cell.model.icon
                kindColor: cell.model.color
                version: cell.model.version
                gitBranch: cell.model.sync && cell.model.gitBranch !== null ? cell.model.sync.branchText : cell.model.gitBranch
                remotes: cell.model.remotes
                hasGit: cell.model.hasGit
                hasUncommittedChanges: cell.model.hasUncommittedChanges
                sync: cell.model.sync
                lastModified: cell.model.lastModified
                lastModifiedText: cell.model.lastModifiedText
                pathText: cell.model.path
                isSelected: root.viewModel !== null && root.viewModel.selectedProjectId === cell.model.id
                onTapped: { root.viewModel.selectProject(cell.model.id); root.forceActiveFocus() }
            }
            TapHandler { onDoubleTapped: ProjectActions.trigger(root.viewModel, "editor", cell.model.id) }
            TapHandler {
                acceptedButtons: Qt.RightButton
                onTapped: {
                    root.viewModel.selectProject(cell.model.id)
                    root.forceActiveFocus()
                    actionsMenu.openFor(cell.model.id, null)
                }
            }
        }

        ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }
    }

    MatchBadge {
        viewModel: root.viewModel
        anchors.left: parent.left
        anchors.bottom: parent.bottom
        anchors.margins: 16
    }
}
