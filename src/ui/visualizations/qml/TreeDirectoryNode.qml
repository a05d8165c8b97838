import QtQuick
import Codeorchardist

// The label of a folder line: folder symbol in the depth's colour, name, project count.
Item {
    id: label

    property string name
    property int depth: 0
    property string folderColor: "blue"
    property bool hasChildren: false
    property int projectCount: 0

    implicitWidth: content.implicitWidth + 12
    implicitHeight: content.implicitHeight + 6

    Row {
        id: content
        x: 6
        y: 3
        spacing: 6

        SymbolIcon {
            anchors.verticalCenter: parent.verticalCenter
            name: "folder.fill"
            size: Theme.size("body")
            color: Theme.symbolTone(label.folderColor)
        }
        Text {
            textFormat: Text.PlainText
            anchors.verticalCenter: parent.verticalCenter
            text: label.name
            font: Theme.styled("body", Font.Medium)
            color: Theme.primary
        }
        Text {
            textFormat: Text.PlainText
            objectName: "projectCount"
            anchors.verticalCenter: parent.verticalCenter
            visible: label.hasChildren
            text: qsTr("(%1)").arg(label.projectCount)
            font: Theme.font.caption
            color: Theme.secondary
        }
    }
}
