import QtQuick
import QtQuick.Controls
import Codeorchardist

// The small card of a project line: kind icon, name, attention mark, change dot, version,
// branch and the activity dot. A click selects the project.
Item {
    id: card

    property string name
    property string kindIcon
    property string kindColor: "gray"
    property var version: null
    property var branch: null
    property bool hasChanges: false
    property string activityColor: "gray"
    property string activityText
    // A ring instead of a dot: no change for over a month, or none known.
    property bool activityHollow: false
    property bool needsAttention: false
    // Why the project needs attention, in words (its mark's tooltip).
    property string attentionText
    // "1 stash", or "" (the stash mark's tooltip).
    property string stashText
    property bool isSelected: false
    readonly property bool isHovered: hover.hovered

    signal tapped()

    implicitWidth: content.implicitWidth + 16
    implicitHeight: content.implicitHeight + 6

    Rectangle {
        objectName: "cardBackground"
        anchors.fill: parent
        radius: 4
        color: card.isSelected ? Theme.tint(card.kindColor, 0.12)
                               : card.isHovered ? Theme.tint("secondary", 0.08) : "transparent"
    }

    Row {
        id: content
        x: 8
        y: 3
        spacing: 6

        Rectangle {
            objectName: "kindIcon"
            anchors.verticalCenter: parent.verticalCenter
            width: Theme.size("body") + 8
            height: width
            radius: width / 2
            color: Theme.tint(card.kindColor, card.isSelected ? 0.3 : 0.15)
            SymbolIcon {
                anchors.centerIn: parent
                name: card.kindIcon
                size: Theme.size("caption")
                color: Theme.tintedText(card.kindColor, card.isSelected ? 0.3 : 0.15)
            }
        }
        Text {
            textFormat: Text.PlainText
            objectName: "name"
            anchors.verticalCenter: parent.verticalCenter
            text: card.name
            font: Theme.styled("body", card.isSelected ? Font.DemiBold : Font.Normal)
            color: Theme.primary
        }
        SymbolIcon {
            objectName: "attentionMark"
            readonly property string tip: card.attentionText
            anchors.verticalCenter: parent.verticalCenter
            visible: card.needsAttention
            name: "exclamationmark.circle"
            size: Theme.size("body")
            color: Theme.symbolTone("red")
            HoverHandler { id: attentionHover }
            ToolTip.visible: attentionHover.hovered
            ToolTip.delay: 400
            ToolTip.text: tip
        }
        Text {
            objectName: "stashMark"
            anchors.verticalCenter: parent.verticalCenter
            visible: card.stashText !== ""
            text: "⚑"
            textFormat: Text.PlainText
            font: Theme.font.caption
            color: Theme.textTone("purple")
            HoverHandler { id: stashHover }
            ToolTip.visible: stashHover.hovered
            ToolTip.delay: 400
            ToolTip.text: card.stashText
        }
        Rectangle {
            objectName: "changeDot"
            anchors.verticalCenter: parent.verticalCenter
            visible: card.hasChanges
            width: 8
            height: 8
            radius: 4
            color: Theme.color("orange")
        }
        Text {
            textFormat: Text.PlainText
            anchors.verticalCenter: parent.verticalCenter
            visible: card.version !== null && card.version !== undefined
            text: visible ? "v" + card.version : ""
            font: Theme.font.caption
            color: Theme.secondary
        }
        Row {
            anchors.verticalCenter: parent.verticalCenter
            visible: card.branch !== null && card.branch !== undefined
            spacing: 2
            SymbolIcon {
                anchors.verticalCenter: parent.verticalCenter
                name: "arrow.triangle.branch"
                size: Theme.size("caption")
                color: Theme.symbolTone("purple")
            }
            Text {
                textFormat: Text.PlainText
                anchors.verticalCenter: parent.verticalCenter
                text: parent.visible ? card.branch : ""
                font: Theme.font.caption
                color: Theme.textTone("purple")
            }
        }
        Rectangle {
            objectName: "activityDot"
            anchors.verticalCenter: parent.verticalCenter
            width: 8
            height: 8
            radius: 4
            color: card.activityHollow ? "transparent" : Theme.color(card.activityColor)
            border.width: card.activityHollow ? 1.5 : 0
            border.color: Theme.color(card.activityColor)
            HoverHandler { id: activityHover }
            ToolTip.visible: activityHover.hovered
            ToolTip.delay: 400
            ToolTip.text: card.activityText
        }
    }

    HoverHandler { id: hover }
    TapHandler { onTapped: card.tapped() }
}
