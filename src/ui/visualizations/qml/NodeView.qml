import QtQuick
import Codeorchardist

// One mindmap node, centred on its position: the root bubble, a folder capsule or a project
// card. Dimmed nodes fade to 0.25; highlighted and hovered ones grow a little.
Item {
    id: node

    // From the mindmap model.
    required property string nodeId
    required property string name
    required property int look
    required property real centerX
    required property real centerY
    required property int order
    required property int depth
    required property string folderColor
    required property string projectId
    required property string kindIcon
    required property string kindColor
    required property var branch
    required property bool hasChanges
    required property bool highlighted
    required property bool dimmed

    property string selectedProjectId: ""
    // Below 75 % the resting shadows are a pixel or two wide: not drawn, which spares most of
    // the fill work of a dense graph. Highlighted and selected nodes keep theirs.
    property bool detailed: true
    readonly property bool shadowed: detailed || isHighlighted || isSelected
    // Below 75 % the shapes are drawn without soft edges as well: opaque shapes are drawn in
    // one batch for all nodes instead of a few per node, which is what makes a dense graph
    // pan smoothly.
    readonly property bool smoothEdges: detailed
    readonly property bool isSelected: projectId !== "" && projectId === selectedProjectId
    readonly property bool isHighlighted: highlighted
    readonly property bool isDimmed: dimmed
    readonly property bool isHovered: hover.hovered
    // Called by the canvas when a tap lands on this node.
    property var tapAction: function() {}

    readonly property bool isRoot: look === MindmapModel.Root

    x: centerX - width / 2
    y: centerY - height / 2
    z: order
    width: loader.item ? loader.item.implicitWidth : 0
    height: loader.item ? loader.item.implicitHeight : 0

    opacity: isDimmed ? 0.25 : 1.0
    scale: isRoot ? (isHighlighted ? 1.1 : isHovered ? 1.05 : 1.0)
                  : (isHighlighted ? 1.08 : isHovered ? 1.03 : 1.0)
    Behavior on opacity { NumberAnimation { duration: 200; easing.type: Easing.OutQuad } }
    Behavior on scale { NumberAnimation { duration: 200; easing.type: Easing.OutQuad } }

    HoverHandler { id: hover }

    Loader {
        id: loader
        anchors.centerIn: parent
        sourceComponent: node.look === MindmapModel.Root ? rootLook
                       : node.look === MindmapModel.Directory ? directoryLook
                       : node.look === MindmapModel.ProjectNode ? projectLook : null
    }

    Component {
        id: rootLook
        Item {
            implicitWidth: 90
            implicitHeight: 90
            // The glow of the highlighted root: a blurred 140-wide disc.
            Item {
                anchors.centerIn: parent
                width: 140
                height: 140
                visible: node.isHighlighted
                SoftShadow {
                    cornerRadius: 70
                    blurRadius: 10
                    shadowColor: Theme.tint("blue", 0.2)
                }
            }
            Rectangle {
                id: bubble
                anchors.fill: parent
                radius: 45
                gradient: Gradient {
                    GradientStop { position: 0; color: Theme.color("blue") }
                    GradientStop { position: 1; color: Theme.tint("blue", 0.7) }
                }
                SoftShadow {
                    cornerRadius: 45
                    blurRadius: node.isHighlighted ? 15 : 8
                    shadowColor: Theme.tint("blue", node.isHighlighted ? 0.6 : 0.3)
                }
            }
            Column {
                anchors.centerIn: parent
                spacing: 3
                GlyphIcon {
                    anchors.horizontalCenter: parent.horizontalCenter
                    name: "folder.fill"
                    size: 24
                    color: "white"
                }
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    width: Math.min(implicitWidth, 84)
                    horizontalAlignment: Text.AlignHCenter
                    elide: Text.ElideRight
                    text: node.name
                    font.pixelSize: 12
                    font.bold: true
                    color: "white"
                }
            }
        }
    }

    Component {
        id: directoryLook
        Item {
            readonly property color tone: Theme.color(node.folderColor)
            implicitWidth: row.implicitWidth + 24
            implicitHeight: row.implicitHeight + 16
            Rectangle {
                objectName: "capsule"
                anchors.fill: parent
                antialiasing: node.smoothEdges
                radius: height / 2
                color: node.isHighlighted ? Theme.tint(node.folderColor, 0.12) : Theme.controlBackground
                border.width: node.isHighlighted ? 2 : 1
                border.color: node.isHighlighted ? parent.tone : Theme.tint(node.folderColor, 0.2)
                SoftShadow {
                    visible: node.shadowed
                    cornerRadius: parent.height / 2
                    blurRadius: node.isHighlighted ? 10 : 4
                    shadowColor: Theme.tint(node.folderColor, node.isHighlighted ? 0.5 : 0.15)
                }
            }
            Row {
                id: row
                anchors.centerIn: parent
                spacing: 6
                Rectangle {
                    anchors.verticalCenter: parent.verticalCenter
                    width: 28
                    height: 28
                    radius: 14
                    antialiasing: node.smoothEdges
                    gradient: Gradient {
                        GradientStop { position: 0; color: Qt.lighter(Theme.color(node.folderColor), 1.18) }
                        GradientStop { position: 1; color: Theme.color(node.folderColor) }
                    }
                    GlyphIcon {
                        anchors.centerIn: parent
                        name: "folder.fill"
                        size: 12
                        color: "white"
                    }
                }
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    text: node.name
                    font.pixelSize: 13
                    font.weight: Font.DemiBold
                    color: Theme.primary
                }
            }
        }
    }

    Component {
        id: projectLook
        Item {
            readonly property bool emphasised: node.isSelected || node.isHighlighted
            implicitWidth: row.implicitWidth + 20
            implicitHeight: row.implicitHeight + 12
            Rectangle {
                objectName: "card"
                anchors.fill: parent
                antialiasing: node.smoothEdges
                radius: 12
                color: parent.emphasised ? Theme.tint(node.kindColor, 0.12) : Theme.controlBackground
                border.width: 2
                border.color: parent.emphasised ? Theme.color(node.kindColor) : "transparent"
                SoftShadow {
                    visible: node.shadowed
                    cornerRadius: 12
                    blurRadius: node.isHighlighted ? 10 : 4
                    shadowColor: Theme.tint(node.kindColor, node.isHighlighted ? 0.5 : node.isSelected ? 0.3 : 0.1)
                }
            }
            Row {
                id: row
                anchors.centerIn: parent
                spacing: 6
                Rectangle {
                    anchors.verticalCenter: parent.verticalCenter
                    width: 26
                    height: 26
                    radius: 13
                    antialiasing: node.smoothEdges
                    gradient: Gradient {
                        GradientStop { position: 0; color: Qt.lighter(Theme.color(node.kindColor), 1.18) }
                        GradientStop { position: 1; color: Theme.color(node.kindColor) }
                    }
                    GlyphIcon {
                        anchors.centerIn: parent
                        name: node.kindIcon
                        size: 11
                        color: "white"
                    }
                }
                Column {
                    anchors.verticalCenter: parent.verticalCenter
                    spacing: 1
                    Row {
                        spacing: 4
                        Text {
                            objectName: "projectName"
                            anchors.verticalCenter: parent.verticalCenter
                            text: node.name
                            font.pixelSize: 12
                            font.weight: (node.isSelected || node.isHighlighted) ? Font.Bold : Font.Medium
                            color: Theme.primary
                        }
                        Rectangle {
                            objectName: "changeDot"
                            anchors.verticalCenter: parent.verticalCenter
                            visible: node.hasChanges
                            width: 6
                            height: 6
                            radius: 3
                            color: Theme.color("orange")
                        }
                    }
                    Text {
                        objectName: "branch"
                        visible: node.branch !== null && node.branch !== undefined
                        text: visible ? node.branch : ""
                        font.pixelSize: 10
                        color: Theme.color("purple")
                    }
                }
            }
        }
    }
}
