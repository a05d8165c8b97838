import QtQuick
import Codeorchardist

// One line of the outline: the node's indentation (depth x indentWidth), the connector for
// nodes below the top level, and the folder label or project card. The outline is a flat
// list of these lines in display order, so a node's descendants follow it.
Item {
    id: row

    // From the outline model.
    required property int index
    required property string nodeId
    required property string name
    required property int depth
    required property bool isProject
    required property bool hasChildren
    required property int projectCount
    required property string folderColor
    required property string projectId
    required property string kindIcon
    required property string kindColor
    required property var version
    required property var branch
    required property bool hasChanges
    required property string activityColor
    required property string activityText
    required property bool needsAttention
    required property string attentionText
    required property string stashText
    required property bool folded
    required property bool activityHollow
    // Drawn faint: the project does not pass the current search and kind filter.
    property bool dimmed: false

    property real indentWidth: 24
    property color lineColor: Theme.tint("secondary", 0.3)
    // The outline's zoom and padding (30 on every side, zoomed with the content).
    property real zoom: 1.0
    property real padding: 30
    property string selectedProjectId: ""

    signal projectTapped(string projectId)
    // A double click, and a right click, on the project's line.
    signal projectActivated(string projectId)
    signal projectMenuRequested(string projectId)
    // The chevron of a node with children was clicked.
    signal foldToggled(string nodeId)

    readonly property real nodeX: depth * indentWidth + (depth > 0 ? 20 : 0)
    readonly property Item node: loader.item

    height: line.height * zoom

    Item {
        id: line
        objectName: "line"
        x: row.padding * row.zoom
        width: row.nodeX + (loader.item ? loader.item.implicitWidth : 0)
        height: loader.item ? loader.item.implicitHeight : 20
        scale: row.zoom
        transformOrigin: Item.TopLeft

        // Folds and unfolds the node's subtree; it takes the connector's place.
        SymbolIcon {
            id: chevron
            objectName: "foldChevron"
            visible: row.hasChildren
            x: row.nodeX - 18
            anchors.verticalCenter: parent.verticalCenter
            name: row.folded ? "chevron.right" : "chevron.down"
            size: Theme.size("caption") + 2
            color: Theme.secondary
            TapHandler { onTapped: row.foldToggled(row.nodeId) }
            HoverHandler { cursorShape: Qt.PointingHandCursor }
        }
        Item {
            id: connector
            objectName: "connector"
            visible: row.depth > 0 && !row.hasChildren
            x: row.depth * row.indentWidth
            width: 20
            height: parent.height
            Row {
                anchors.centerIn: parent
                spacing: 0
                Rectangle {
                    anchors.verticalCenter: parent.verticalCenter
                    width: 12
                    height: 1
                    color: row.lineColor
                }
                Rectangle {
                    anchors.verticalCenter: parent.verticalCenter
                    width: 4
                    height: 4
                    radius: 2
                    color: row.lineColor
                }
            }
        }

        Loader {
            id: loader
            x: row.nodeX
            sourceComponent: row.isProject ? projectNode : directoryNode
        }
    }

    Component {
        id: projectNode
        TreeProjectNode {
            objectName: "projectNode"
            name: row.name
            kindIcon: row.kindIcon
            kindColor: row.kindColor
            version: row.version
            branch: row.branch
            hasChanges: row.hasChanges
            activityColor: row.activityColor
            activityText: row.activityText
            activityHollow: row.activityHollow
            needsAttention: row.needsAttention
            attentionText: row.attentionText
            stashText: row.stashText
            opacity: row.dimmed ? 0.3 : 1.0
            isSelected: row.projectId !== "" && row.selectedProjectId === row.projectId
            onTapped: row.projectTapped(row.projectId)
            TapHandler { onDoubleTapped: row.projectActivated(row.projectId) }
            TapHandler { acceptedButtons: Qt.RightButton; onTapped: row.projectMenuRequested(row.projectId) }
        }
    }
    Component {
        id: directoryNode
        TreeDirectoryNode {
            objectName: "directoryNode"
            name: row.name
            depth: row.depth
            folderColor: row.folderColor
            hasChildren: row.hasChildren
            projectCount: row.projectCount
        }
    }
}
