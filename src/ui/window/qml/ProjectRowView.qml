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
    // The list keeps the keyboard focus: a recycled row must never take Space for itself.
    focusPolicy: Qt.NoFocus
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
                color: Theme.symbolTone(row.model.color)
            }

            ColumnLayout {
                Layout.fillWidth: true
                Layout.minimumWidth: 0
                spacing: 4
                // The name takes the line's room but the marks', elided beyond that.
                Item {
                    id: nameLine
                    Layout.fillWidth: true
                    implicitHeight: nameText.implicitHeight
                    readonly property real marksWidth: (changesDot.visible ? changesDot.width + 6 : 0)
                                                       + (attentionMark.visible ? attentionMark.width + 6 : 0)
                    Text {
                        id: nameText
                        objectName: "rowName"
                        anchors.verticalCenter: parent.verticalCenter
                        width: Math.max(0, Math.min(implicitWidth, nameLine.width - nameLine.marksWidth))
                        text: WindowLogic.elidedName(row.model.name, font, nameLine.width - nameLine.marksWidth)
                        textFormat: Text.PlainText
                        font: Theme.font.headline
                        color: Theme.primary
                        elide: Text.ElideRight
                        maximumLineCount: 1
                        HoverHandler { id: nameHover }
                        ToolTip.visible: nameHover.hovered && (truncated || text !== row.model.name)
                        ToolTip.delay: 500
                        ToolTip.text: row.model.name
                    }
                    Rectangle {
                        id: changesDot
                        objectName: "changesDot"
                        visible: row.model.hasUncommittedChanges
                        anchors.verticalCenter: parent.verticalCenter
                        x: nameText.width + 6
                        width: 8
                        height: 8
                        radius: 4
                        color: Theme.color("orange")
                        HoverHandler { id: dotHover; enabled: parent.visible }
                        ToolTip.visible: dotHover.hovered
                        ToolTip.text: "Uncommitted changes: " + (row.model.sync ? row.model.sync.changesText : "")
                    }
                    SymbolIcon {
                        id: attentionMark
                        objectName: "attentionMark"
                        visible: row.model.needsAttention === true
                        anchors.verticalCenter: parent.verticalCenter
                        x: nameText.width + 6 + (changesDot.visible ? changesDot.width + 6 : 0)
                        name: "exclamationmark.triangle.fill"
                        size: Theme.size("caption")
                        color: Theme.symbolTone("red")
                        HoverHandler { id: attentionHover; enabled: parent.visible }
                        ToolTip.visible: attentionHover.hovered
                        ToolTip.text: "Needs attention: " + (row.model.sync ? row.model.sync.attentionText : "")
                    }
                }
                // Version and branch share the line; each elides to its half when both are long.
                Item {
                    id: details
                    Layout.fillWidth: true
                    Layout.minimumHeight: Theme.size("caption") + 4
                    readonly property bool both: versionLabel.visible && branchLabel.visible
                    readonly property real share: both ? (width - 8) / 2 : width
                    IconLabel {
                        id: versionLabel
                        objectName: "rowVersion"
                        anchors.verticalCenter: parent.verticalCenter
                        visible: row.model.version !== null && row.model.version !== undefined
                        symbol: "tag"
                        text: visible ? row.model.version : ""
                        width: Math.min(naturalWidth, details.both
                                        ? Math.max(details.share, details.width - 8 - branchLabel.naturalWidth)
                                        : details.width)
                    }
                    IconLabel {
                        id: branchLabel
                        objectName: "rowBranch"
                        anchors.verticalCenter: parent.verticalCenter
                        x: versionLabel.visible ? versionLabel.width + 8 : 0
                        visible: row.model.gitBranch !== null && row.model.gitBranch !== undefined
                        symbol: "arrow.triangle.branch"
                        text: visible ? (row.model.sync ? row.model.sync.branchText : row.model.gitBranch) : ""
                        width: Math.min(naturalWidth, details.width - x - (rowMarks.visible ? rowMarks.width + 6 : 0))
                    }
                    SyncMarks {
                        id: rowMarks
                        anchors.verticalCenter: parent.verticalCenter
                        x: branchLabel.visible ? branchLabel.x + branchLabel.width + 6
                                               : versionLabel.visible ? versionLabel.width + 6 : 0
                        sync: row.model.sync
                    }
                }
            }

            Rectangle {
                objectName: "kindBadge"
                Layout.minimumWidth: implicitWidth
                implicitWidth: badgeText.implicitWidth + 16
                implicitHeight: badgeText.implicitHeight + 8
                radius: 4
                color: Theme.tint(row.model.color, 0.15)
                Text {
                    id: badgeText
                    anchors.centerIn: parent
                    text: row.model.type
                    textFormat: Text.PlainText
                    font: Theme.font.caption
                    color: Theme.tintedText(row.model.color, 0.15)
                }
            }
        }
    }
}
