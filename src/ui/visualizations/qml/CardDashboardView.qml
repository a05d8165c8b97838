import QtQuick
import QtQuick.Controls
import Codeorchardist

// The Cards mode: four statistics over the projects shown, then one card per project in a
// grid of columns 280 to 350 wide, 20 apart. Cards are created only as they scroll into view.
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
    // Cards are 272 high; without any git project on show, the rows close up to the cards
    // without git rows.
    readonly property real cardHeight: dashboardStats.withGit > 0 || shortCardHeight <= 0 ? 272 : shortCardHeight
    property real shortCardHeight: 0

    color: Theme.windowBackground

    DashboardStats {
        id: dashboardStats
        model: root.viewModel ? root.viewModel.filteredModel : null
    }

    GridView {
        id: cards
        objectName: "cards"
        anchors.fill: parent
        leftMargin: 24
        rightMargin: 4
        topMargin: 24
        bottomMargin: 4
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        cellWidth: root.cellWidth
        cellHeight: root.cardHeight + 20
        cacheBuffer: 300
        reuseItems: true
        model: root.viewModel ? root.viewModel.filteredModel : null

        header: Item {
            width: root.available
            height: overview.height + 24
            StatsOverview {
                id: overview
                objectName: "statsOverview"
                width: root.available
                stats: dashboardStats
                viewModel: root.viewModel
            }
        }

        delegate: Item {
            id: cell
            // Roles of the project list: id, name, path, type, icon, color, version, ...
            required property var model

            width: cards.cellWidth
            height: cards.cellHeight

            ProjectCard {
                x: (cards.cellWidth - 20 - width) / 2
                width: root.cardWidth
                // Cards without git are shorter: their activity row follows the body.
                height: Math.min(root.cardHeight, implicitHeight)
                Component.onCompleted: if (!hasGit && implicitHeight < 272) root.shortCardHeight = implicitHeight
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
                onTapped: root.viewModel.selectProject(cell.model.id)
            }
        }

        ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }
    }
}
