import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Codeorchardist

// The detail pane's "Sync" section: upstream and ahead/behind in words, stashes, the entry
// counts, an operation in progress, the last commit and fetch, the worktree and enclosing
// repository as links that select that project, and a problem with what to do about it.
// Every text comes composed from the project map's "sync" entry.
ColumnLayout {
    id: section
    objectName: "syncSection"

    required property var project
    property var viewModel
    readonly property var sync: project && project.sync ? project.sync : ({})
    readonly property bool hasProblem: (sync.problem || "") !== ""

    visible: sync.hasState === true || (sync.partOfText || "") !== ""
    spacing: 12

    Text {
        text: "Sync"
        font: Theme.font.headline
        color: Theme.primary
    }

    Rectangle {
        objectName: "syncProblem"
        visible: section.hasProblem
        Layout.fillWidth: true
        implicitHeight: problemColumn.implicitHeight + 24
        radius: 8
        color: Theme.tint("red", 0.1)
        ColumnLayout {
            id: problemColumn
            anchors.fill: parent
            anchors.margins: 12
            spacing: 6
            IconLabel {
                symbol: "exclamationmark.triangle.fill"
                text: section.sync.problemText || ""
                color: Theme.textTone("red")
                font: Theme.font.headline
            }
            TextEdit {
                objectName: "syncProblemAdvice"
                Layout.fillWidth: true
                readOnly: true
                selectByMouse: true
                text: section.sync.problemAdvice || ""
                font: Theme.font.subheadline
                color: Theme.primary
                selectionColor: Theme.selection
                wrapMode: TextEdit.Wrap
            }
        }
    }

    GridLayout {
        objectName: "syncGrid"
        visible: section.sync.hasState === true && !section.hasProblem
        Layout.fillWidth: true
        columns: 2
        columnSpacing: 16
        rowSpacing: 6

        Field { objectName: "attentionField"; label: "Attention"; value: section.sync.attentionText || ""; tone: "red" }
        Field { label: "Upstream"; value: section.sync.upstream || "none" }
        Field { label: "Ahead / behind"; value: section.sync.aheadBehindText || "" }
        Field { label: "Stashes"; value: section.sync.stashText || "" }
        Field { label: "Changes"; value: section.project.hasUncommittedChanges ? (section.sync.changesText || "") : "" }
        Field { label: "In progress"; value: section.sync.operationText || ""; tone: "orange" }
        Field {
            label: "Last commit"
            value: section.sync.lastCommit
                   ? section.sync.lastCommit.id + "  " + section.sync.lastCommit.subject + " — "
                     + section.sync.lastCommit.author + ", " + section.sync.lastCommit.when
                   : ""
        }
        Field { label: "Last fetch"; value: section.sync.hasState === true ? section.sync.lastFetchedText : "" }
        Field { objectName: "watchedLiveField"; label: "Updates"; value: section.project.watchedLive === false ? "not watched live" : "" }
    }

    Link {
        objectName: "worktreeOfLink"
        prefix: "Worktree of "
        path: section.sync.worktreeOf || ""
    }
    Link {
        objectName: "partOfLink"
        prefix: "Part of "
        path: section.sync.partOf || ""
    }

    // A label and its value; hidden when the value is empty.
    component Field: Item {
        id: field
        property string label
        property string value
        property string tone: ""
        visible: value !== ""
        Layout.columnSpan: 2
        Layout.fillWidth: true
        implicitHeight: fieldRow.implicitHeight
        RowLayout {
            id: fieldRow
            anchors.fill: parent
            spacing: 16
            Text {
                Layout.preferredWidth: 110
                text: field.label
                font: Theme.font.subheadline
                color: Theme.secondary
            }
            SelectableText {
                Layout.fillWidth: true
                text: field.value
                font: Theme.font.body
                color: field.tone !== "" ? Theme.textTone(field.tone) : Theme.primary
            }
        }
    }

    // A path that selects its project when clicked.
    component Link: Text {
        id: link
        property string prefix
        property string path
        visible: path !== ""
        text: prefix + WindowLogic.tildePath(path)
        font.family: Theme.font.body.family
        font.pixelSize: Theme.font.body.pixelSize
        font.underline: linkArea.containsMouse
        color: Theme.accent
        MouseArea {
            id: linkArea
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: if (section.viewModel) section.viewModel.selectProjectByPath(link.path)
        }
    }
}
