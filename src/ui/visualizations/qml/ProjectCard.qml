import QtQuick
import QtQuick.Controls
import Codeorchardist

// One project on the dashboard: a header band in the kind's colour with the health ring,
// then name, kind, version, git state, first remote and the activity strip. Hovering lifts
// the card on a spring; a click selects the project.
Item {
    id: card

    property string projectId
    property string name
    property string typeText
    property string kindIcon
    property string kindColor: "gray"
    property var version: null
    property var gitBranch: null
    property var remotes: []
    property bool hasGit: false
    property bool hasUncommittedChanges: false
    property var sync: null
    readonly property bool gitProblem: sync !== null && sync !== undefined && (sync.problem || "") !== ""
    property var lastModified: null
    property string lastModifiedText: ""
    property string pathText: ""
    property bool isSelected: false
    readonly property bool isHovered: hover.hovered

    signal tapped()

    // Header band, body, activity row and their margins.
    implicitHeight: band.height + 16 + body.implicitHeight + 16 + activity.implicitHeight + 16

    // 0 at rest, 1 lifted; springs between the two (about 0.3 s, barely overshooting).
    property real lift: isHovered ? 1 : 0
    Behavior on lift { SpringAnimation { spring: 5.5; damping: 0.42; epsilon: 0.002 } }

    scale: 1 + 0.02 * lift
    z: isHovered ? 1 : 0

    // Resting and lifted shadows, cross-faded by the lift.
    SoftShadow {
        cornerRadius: 16
        blurRadius: 8
        offsetY: 4
        shadowColor: Qt.rgba(0, 0, 0, Theme.dark ? 0.3 : 0.08)
        opacity: 1 - card.lift
    }
    SoftShadow {
        cornerRadius: 16
        blurRadius: 15
        offsetY: 8
        shadowColor: Qt.rgba(0, 0, 0, Theme.dark ? 0.45 : 0.15)
        opacity: card.lift
    }

    Rectangle {
        anchors.fill: parent
        radius: 16
        color: Theme.controlBackground
    }

    CardHeaderBand {
        id: band
        width: parent.width
        height: 80
        color: Theme.color(card.kindColor)
        cornerRadius: 16

        SymbolIcon {
            anchors.top: parent.top
            anchors.right: parent.right
            anchors.margins: 12
            name: card.kindIcon
            size: 40
            color: Theme.tint(Theme.textOn(card.kindColor, 0.9), 0.3)
        }
        HealthRing {
            objectName: "healthRing"
            anchors.left: parent.left
            anchors.bottom: parent.bottom
            anchors.margins: 12
            lastModified: card.lastModified
            foreground: Theme.textOn(card.kindColor, 0.9)
        }
    }

    Column {
        id: body
        anchors.top: band.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.margins: 16
        spacing: 12

        // Name and kind, and the version badge.
        Item {
            width: parent.width
            height: Math.max(titles.implicitHeight, versionBadge.height)
            Column {
                id: titles
                width: parent.width - (versionBadge.visible ? versionBadge.width + 8 : 0)
                spacing: 4
                Text {
                    textFormat: Text.PlainText
                    objectName: "name"
                    width: parent.width
                    text: card.name
                    font: Theme.font.headline
                    color: Theme.primary
                    elide: WindowLogic.isScopedName(text) ? Text.ElideMiddle : Text.ElideRight
                    maximumLineCount: 1
                    HoverHandler { id: nameHover }
                    ToolTip.visible: nameHover.hovered && truncated
                    ToolTip.delay: 500
                    ToolTip.text: text
                }
                Text {
                    textFormat: Text.PlainText
                    text: card.typeText
                    font: Theme.font.caption
                    color: Theme.secondary
                }
            }
            Rectangle {
                id: versionBadge
                objectName: "version"
                anchors.right: parent.right
                anchors.top: parent.top
                visible: card.version !== null && card.version !== undefined
                width: Math.min(versionText.implicitWidth + 16, parent.width * 0.45)
                height: versionText.implicitHeight + 8
                radius: 4
                color: Theme.tint("secondary", 0.1)
                Text {
                    textFormat: Text.PlainText
                    id: versionText
                    anchors.centerIn: parent
                    width: Math.min(implicitWidth, parent.width - 16)
                    elide: Text.ElideRight
                    text: versionBadge.visible ? "v" + card.version : ""
                    HoverHandler { id: versionHover }
                    ToolTip.visible: versionHover.hovered && truncated
                    ToolTip.text: text
                    font: Theme.styled("caption", Font.Normal, "monospaced")
                    color: Theme.primary
                }
            }
        }

        Rectangle {
            width: parent.width
            height: 1
            color: Theme.separator
        }

        // Branch and status.
        Item {
            objectName: "gitRow"
            visible: card.hasGit
            width: parent.width
            height: visible ? Math.max(branchRow.implicitHeight, statusRow.implicitHeight) : 0
            Row {
                id: branchRow
                visible: card.gitBranch !== null && card.gitBranch !== undefined
                width: parent.width - statusRow.width - 8
                spacing: 4
                SymbolIcon {
                    anchors.verticalCenter: parent.verticalCenter
                    name: "arrow.triangle.branch"
                    size: Theme.font.caption.pixelSize
                    color: Theme.symbolTone("purple")
                }
                Text {
                    textFormat: Text.PlainText
                    anchors.verticalCenter: parent.verticalCenter
                    width: Math.min(implicitWidth, branchRow.width - 20)
                    text: branchRow.visible ? card.gitBranch : ""
                    HoverHandler { id: branchHover }
                    ToolTip.visible: branchHover.hovered && truncated
                    ToolTip.text: text
                    font: Theme.font.caption
                    color: Theme.primary
                    elide: Text.ElideRight
                }
            }
            Row {
                id: statusRow
                objectName: "status"
                anchors.right: parent.right
                spacing: 4
                SyncMarks { anchors.verticalCenter: parent.verticalCenter; sync: card.sync }
                Rectangle {
                    anchors.verticalCenter: parent.verticalCenter
                    visible: card.hasUncommittedChanges
                    width: 8
                    height: 8
                    radius: 4
                    color: Theme.color("orange")
                }
                SymbolIcon {
                    anchors.verticalCenter: parent.verticalCenter
                    visible: !card.hasUncommittedChanges && !card.gitProblem
                    name: "checkmark.circle.fill"
                    size: Theme.font.caption.pixelSize
                    color: Theme.symbolTone("green")
                }
                Text {
                    textFormat: Text.PlainText
                    objectName: "statusText"
                    anchors.verticalCenter: parent.verticalCenter
                    text: card.gitProblem ? card.sync.statusOverride.value : card.hasUncommittedChanges ? qsTr("Modified") : qsTr("Clean")
                    font: Theme.font.caption
                    color: Theme.textTone(card.gitProblem ? "red" : card.hasUncommittedChanges ? "orange" : "green")
                }
            }
        }

        // The first remote.
        Row {
            objectName: "remoteRow"
            visible: card.hasGit && card.remotes && card.remotes.length > 0
            width: parent.width
            height: visible ? implicitHeight : 0
            spacing: 4
            SymbolIcon {
                anchors.verticalCenter: parent.verticalCenter
                name: "link"
                size: Theme.font.caption.pixelSize
                color: Theme.secondary
            }
            Text {
                textFormat: Text.PlainText
                objectName: "remoteUrl"
                anchors.verticalCenter: parent.verticalCenter
                width: parent.width - 16
                text: parent.visible ? card.remotes[0].url : ""
                HoverHandler { id: remoteHover }
                ToolTip.visible: remoteHover.hovered && truncated
                ToolTip.text: text
                font: Theme.font.caption2
                color: Theme.secondary
                elide: Text.ElideMiddle
                maximumLineCount: 1
            }
        }
    }

    ActivityBar {
        id: activity
        objectName: "activityBar"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 16
        lastModified: card.lastModified
        lastModifiedText: card.lastModifiedText
        seed: card.pathText
    }

    Rectangle {
        objectName: "selectionOutline"
        anchors.fill: parent
        radius: 16
        color: "transparent"
        border.width: 2
        border.color: card.isSelected ? Theme.color(card.kindColor) : "transparent"
    }

    HoverHandler { id: hover }
    TapHandler { onTapped: card.tapped() }
}
