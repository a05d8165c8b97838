import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Codeorchardist

// One row of the project list: kind symbol, name with the changes dot, version and branch,
// and the kind badge.
AbstractButton {
    id: row
    objectName: "projectRow"

    // The row's project, from the list model's roles.
    required property var model
    readonly property var project: model
    property bool selected: false

    hoverEnabled: true
    implicitHeight: content.implicitHeight + 8 + 12
    padding: 0

    background: Rectangle {
        radius: 6
        color: row.selected ? Theme.selection
                            : row.hovered ? Theme.tint("secondary", 0.08) : "transparent"
    }

    contentItem: Item {
        RowLayout {
            id: content
            anchors.fill: parent
            anchors.leftMargin: 6
            anchors.rightMargin: 6
            anchors.topMargin: 4 + 6
            anchors.bottomMargin: 4 + 6
            spacing: 12

            SymbolIcon {
                Layout.preferredWidth: 32
                name: row.model.icon
                size: Theme.size("title2")
                color: Theme.color(row.model.color)
            }

            ColumnLayout {
                Layout.fillWidth: true
                spacing: 4
                RowLayout {
                    spacing: 6
                    Layout.fillWidth: true
                    Text {
                        objectName: "rowName"
                        Layout.fillWidth: implicitWidth > width
                        Layout.maximumWidth: content.width - 160
                        text: row.model.name
                        font: Theme.font.headline
                        color: Theme.primary
                        elide: Text.ElideRight
                        maximumLineCount: 1
                    }
                    Rectangle {
                        objectName: "changesDot"
                        visible: row.model.hasUncommittedChanges
                        Layout.preferredWidth: 8
                        Layout.preferredHeight: 8
                        radius: 4
                        color: Theme.color("orange")
                        HoverHandler { id: dotHover; enabled: parent.visible }
                        ToolTip.visible: dotHover.hovered
                        ToolTip.text: "Uncommitted changes"
                    }
                    Item { Layout.fillWidth: true }
                }
                RowLayout {
                    spacing: 8
                    Layout.minimumHeight: Theme.size("caption") + 4
                    IconLabel {
                        visible: row.model.version !== null && row.model.version !== undefined
                        symbol: "tag"
                        text: visible ? row.model.version : ""
                    }
                    IconLabel {
                        visible: row.model.gitBranch !== null && row.model.gitBranch !== undefined
                        symbol: "arrow.triangle.branch"
                        text: visible ? (row.model.sync ? row.model.sync.branchText : row.model.gitBranch) : ""
                    }
                    SyncMarks { sync: row.model.sync }
                }
            }

            Rectangle {
                objectName: "kindBadge"
                implicitWidth: badgeText.implicitWidth + 16
                implicitHeight: badgeText.implicitHeight + 8
                radius: 4
                color: Theme.tint(row.model.color, 0.15)
                Text {
                    id: badgeText
                    anchors.centerIn: parent
                    text: row.model.type
                    font: Theme.font.caption
                    color: Theme.color(row.model.color)
                }
            }
        }
    }
}
