import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Codeorchardist

// What an action on every project did: the summary line, then each project's result grouped
// (failures first). Clicking a project selects it.
Dialog {
    id: summary
    objectName: "bulkSummary"

    property var viewModel
    property string summaryText
    property var groups: []

    function showResults(action, text, results) {
        title = ProjectActions.summaryTitle(action)
        summaryText = text
        groups = ProjectActions.summaryGroups(results)
        open()
    }

    modal: false
    anchors.centerIn: Overlay.overlay
    width: Math.min(520, Overlay.overlay ? Overlay.overlay.width - 80 : 520)
    height: Math.min(implicitHeight, Overlay.overlay ? Overlay.overlay.height - 80 : 480)
    standardButtons: Dialog.Close

    ColumnLayout {
        anchors.fill: parent
        spacing: 10
        Text {
            objectName: "bulkSummaryText"
            Layout.fillWidth: true
            text: summary.summaryText
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            font: Theme.styled("body", Font.DemiBold)
            color: Theme.primary
        }
        ScrollView {
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.preferredHeight: results.implicitHeight
            contentWidth: availableWidth
            clip: true
            Column {
                id: results
                width: parent.width
                spacing: 8
                Repeater {
                    model: summary.groups
                    delegate: Column {
                        required property var modelData
                        width: results.width
                        spacing: 2
                        Text {
                            text: modelData.title
                            font: Theme.font.headline
                            color: modelData.result === "failed" ? Theme.textTone("red") : Theme.primary
                        }
                        Repeater {
                            model: modelData.items
                            delegate: ItemDelegate {
                                required property var modelData
                                objectName: "bulkResult"
                                width: results.width
                                padding: 4
                                contentItem: Text {
                                    text: modelData.reason ? modelData.name + " — " + modelData.reason : modelData.name
                                    textFormat: Text.PlainText
                                    elide: Text.ElideRight
                                    font: Theme.font.body
                                    color: Theme.primary
                                }
                                onClicked: {
                                    if (modelData.id)
                                        summary.viewModel.selectProject(modelData.id)
                                    else
                                        summary.viewModel.selectProjectByPath(modelData.path)
                                    summary.close()
                                }
                            }
                        }
                    }
                }
            }
        }
    }
}
