import QtQuick
import QtQuick.Controls
import Codeorchardist

// One project on the dashboard: a header band in the kind's colour with the health ring,
// then name, kind, version, git state, first remote and the activity strip. Hovering lifts
// the card on a spring; a click selects the project.
// A row of cards is created while scrolling, so a card is kept to a few items: header and
// activity cells are painted in one item each, texts are placed by anchors, and one tooltip
// serves every elided text. At rest a card is drawn from one texture (CachedFace).
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
    readonly property var status: sync && sync.status ? sync.status : ({ value: "", color: "gray" })
    // Why the project needs attention beyond its changes, which the status shows.
    readonly property string attentionLine: hasGit && sync && !gitProblem ? (sync.otherAttentionText || "") : ""
    property var lastModified: null
    property string lastModifiedText: ""
    property string pathText: ""
    property bool isSelected: false
    readonly property bool isHovered: hover.hovered

    readonly property bool hasVersion: version !== null && version !== undefined
    readonly property bool hasBranch: gitBranch !== null && gitBranch !== undefined
    readonly property bool hasRemote: hasGit && remotes !== null && remotes !== undefined && remotes.length > 0

    signal tapped()

    // Header band, body, activity row and their margins. The body: titles (or the version
    // badge if taller), divider, and the git and remote rows when shown, 12 apart.
    readonly property real titlesHeight: Math.max(nameText.implicitHeight + 4 + kindText.implicitHeight,
                                                  versionBadge.visible ? versionBadge.height : 0)
    readonly property real bodyHeight: titlesHeight + 12 + 1 + (hasGit ? 12 + statusText.implicitHeight : 0)
                                       + (attentionLine !== "" ? 8 + attentionText.implicitHeight : 0)
                                       + (hasRemote ? 12 + remoteText.implicitHeight : 0)
    implicitHeight: band.height + 16 + bodyHeight + 16 + activity.implicitHeight + 16

    // 0 at rest, 1 lifted; springs between the two (about 0.3 s, barely overshooting).
    property real lift: isHovered ? 1 : 0
    Behavior on lift { SpringAnimation { spring: 5.5; damping: 0.42; epsilon: 0.002 } }

    scale: 1 + 0.02 * lift
    z: isHovered ? 1 : 0

    // Drawn from one texture at rest; as shapes and texts while lifted or lifting.
    CachedFace {
        objectName: "face"
        cached: !card.isHovered && card.lift < 0.001

        // Resting and lifted shadows, cross-faded by the lift; one shared picture per look.
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
            visible: opacity > 0
        }

        Rectangle {
            anchors.fill: parent
            radius: 16
            color: Theme.controlBackground
        }

        CardHeaderBand {
            id: band
            objectName: "header"
            width: parent.width
            height: 80
            color: Theme.color(card.kindColor)
            cornerRadius: 16
            symbol: card.kindIcon
            symbolColor: Theme.tint(Theme.textOn(card.kindColor, 0.9), 0.3)
            ringColor: Theme.textOn(card.kindColor, 0.9)
            // Small enough for "NOW" to sit inside the ring, bold to read at that size.
            labelFont: Theme.system(9, Font.Bold)
            lastModified: card.lastModified
        }

        // Name and kind, and the version badge.
        Text {
            id: nameText
            objectName: "name"
            anchors { top: band.bottom; topMargin: 16 }
            x: 16
            width: (versionBadge.visible ? versionBadge.x - 8 : parent.width - 16) - x
            textFormat: Text.PlainText
            // The whole name, for the card's tooltip when the shown text is shortened.
            property string fullText: card.name
            text: WindowLogic.elidedName(card.name, font, width)
            font: Theme.font.headline
            color: Theme.primary
            elide: Text.ElideRight
            maximumLineCount: 1
        }
        Text {
            id: kindText
            anchors { top: nameText.bottom; topMargin: 4 }
            x: 16
            textFormat: Text.PlainText
            text: card.typeText
            font: Theme.font.caption
            color: Theme.secondary
        }
        Rectangle {
            id: versionBadge
            objectName: "version"
            anchors { top: nameText.top; right: parent.right; rightMargin: 16 }
            visible: card.hasVersion
            width: Math.min(versionText.implicitWidth + 16, (card.width - 32) * 0.45)
            height: versionText.implicitHeight + 8
            radius: 4
            color: Theme.tint("secondary", 0.1)
            Text {
                id: versionText
                anchors.centerIn: parent
                width: Math.min(implicitWidth, parent.width - 16)
                elide: Text.ElideRight
                textFormat: Text.PlainText
                text: card.hasVersion ? "v" + card.version : ""
                font: Theme.styled("caption", Font.Normal, "monospaced")
                color: Theme.primary
            }
        }

        Rectangle {
            id: divider
            x: 16
            y: band.height + 16 + card.titlesHeight + 12
            width: parent.width - 32
            height: 1
            color: Theme.separator
        }

        // Branch and status, then the first remote; only for projects in git.
        CardGlyph {
            id: branchGlyph
            x: 16
            anchors.verticalCenter: statusText.verticalCenter
            visible: card.hasGit && card.hasBranch
            name: "arrow.triangle.branch"
            color: Theme.symbolTone("purple")
        }
        Text {
            id: branchText
            anchors { left: branchGlyph.right; leftMargin: 4; verticalCenter: statusText.verticalCenter }
            width: Math.min(implicitWidth, statusMarks.x - 8 - x)
            visible: branchGlyph.visible
            textFormat: Text.PlainText
            text: visible ? card.gitBranch : ""
            font: Theme.font.caption
            color: Theme.primary
            elide: Text.ElideRight
        }
        SyncMarks {
            id: statusMarks
            objectName: "status"
            anchors { right: statusDot.visible ? statusDot.left : statusGlyph.visible ? statusGlyph.left : statusText.left; rightMargin: 4; verticalCenter: statusText.verticalCenter }
            sync: card.hasGit ? card.sync : null
        }
        Rectangle {
            id: statusDot
            anchors { right: statusText.left; rightMargin: 4; verticalCenter: statusText.verticalCenter }
            visible: card.hasGit && card.hasUncommittedChanges
            width: 8
            height: 8
            radius: 4
            color: Theme.color("orange")
        }
        CardGlyph {
            id: statusGlyph
            anchors { right: statusText.left; rightMargin: 4; verticalCenter: statusText.verticalCenter }
            visible: card.hasGit && card.status.icon === "checkmark.circle"
            name: "checkmark.circle.fill"
            color: Theme.symbolTone(card.status.color)
        }
        Text {
            id: statusText
            objectName: "statusText"
            anchors { right: parent.right; rightMargin: 16 }
            y: divider.y + divider.height + 12
            visible: card.hasGit
            textFormat: Text.PlainText
            text: card.hasGit ? card.status.value : ""
            font: Theme.font.caption
            color: card.status.color === "gray" ? Theme.secondary : Theme.textTone(card.status.color)
        }
        Text {
            id: attentionText
            objectName: "attentionLine"
            x: 16
            y: statusText.y + statusText.implicitHeight + 8
            width: parent.width - 32
            visible: card.attentionLine !== ""
            textFormat: Text.PlainText
            // The whole line, for the card's tooltip when it is shortened.
            property string fullText: "Needs attention: " + card.attentionLine
            text: fullText
            font: Theme.font.caption
            color: Theme.textTone("red")
            elide: Text.ElideRight
            maximumLineCount: 1
        }
        CardGlyph {
            x: 16
            anchors.verticalCenter: remoteText.verticalCenter
            visible: card.hasRemote
            name: "link"
            color: Theme.secondary
        }
        Text {
            id: remoteText
            objectName: "remoteUrl"
            x: 16 + Theme.font.caption.pixelSize + 4
            y: (attentionText.visible ? attentionText.y + attentionText.implicitHeight : statusText.y + statusText.implicitHeight) + 12
            width: parent.width - 16 - x
            visible: card.hasRemote
            textFormat: Text.PlainText
            text: visible ? card.remotes[0].url : ""
            font: Theme.font.caption2
            color: Theme.secondary
            elide: Text.ElideMiddle
            maximumLineCount: 1
        }

        ActivityBar {
            id: activity
            objectName: "activityBar"
            anchors { left: parent.left; right: parent.right; bottom: parent.bottom; margins: 16 }
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
    }

    // One tooltip for the card: the full text of the elided text under the pointer.
    readonly property string tip: hover.hovered ? CardMetrics.elidedTextAt(card, hover.point.position) : ""
    ToolTip.visible: tip !== ""
    ToolTip.delay: 500
    ToolTip.text: tip

    HoverHandler { id: hover }
    TapHandler { onTapped: card.tapped() }
}
