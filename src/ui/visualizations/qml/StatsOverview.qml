import QtQuick
import Codeorchardist

// The four statistics over the projects shown: total, uncommitted, active today, stale.
Row {
    id: overview

    required property DashboardStats stats
    property var viewModel: null

    spacing: 16
    readonly property real cardWidth: (width - 3 * spacing) / 4
    height: Math.max(total.implicitHeight, uncommitted.implicitHeight)

    StatCard {
        id: total
        objectName: "statTotal"
        width: overview.cardWidth
        height: overview.height
        title: qsTr("Total Projects")
        value: String(overview.stats.total)
        icon: "folder.fill"
        color: "blue"
    }
    StatCard {
        id: uncommitted
        objectName: "statUncommitted"
        width: overview.cardWidth
        height: overview.height
        title: qsTr("Uncommitted")
        value: String(overview.stats.uncommitted)
        icon: "exclamationmark.triangle.fill"
        color: "orange"
        trend: overview.stats.uncommitted > 0 ? qsTr("needs attention") : ""
        FilterClick { visible: overview.viewModel !== null; viewModel: overview.viewModel; key: "modified"; tip: "Show only the projects with uncommitted changes" }
    }
    StatCard {
        objectName: "statActive"
        width: overview.cardWidth
        height: overview.height
        title: qsTr("Active Today")
        value: String(overview.stats.activeToday)
        icon: "bolt.fill"
        color: "green"
    }
    StatCard {
        objectName: "statStale"
        width: overview.cardWidth
        height: overview.height
        title: qsTr("Stale (30d+)")
        value: String(overview.stats.stale)
        icon: "clock.badge.exclamationmark.fill"
        color: "red"
        trend: overview.stats.stale > 0 ? qsTr("review needed") : ""
        FilterClick { visible: overview.viewModel !== null; viewModel: overview.viewModel; key: "stale"; tip: "Show only the projects without a change for over 30 days" }
    }
}
