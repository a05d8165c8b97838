import QtQuick
import QtQuick.Layouts
import Codeorchardist

// The detail pane beside the Tree, the Graph and the Cards: the same details and actions as the
// List's, under a bar that closes it.
Rectangle {
    id: side
    objectName: "sideDetail"

    required property var viewModel
    signal closeRequested()

    color: Theme.windowBackground

    ColumnLayout {
        anchors.fill: parent
        spacing: 0
        RowLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 24
            Layout.rightMargin: 8
            Layout.topMargin: 6
            Layout.bottomMargin: 6
            Text {
                Layout.fillWidth: true
                text: "Details"
                font: Theme.font.subheadline
                color: Theme.secondary
            }
            SymbolButton {
                objectName: "closeDetailButton"
                symbol: "xmark"
                bordered: false
                implicitWidth: 28
                implicitHeight: 26
                tip: "Close the details"
                onClicked: side.closeRequested()
            }
        }
        Rectangle {
            Layout.fillWidth: true
            Layout.preferredHeight: 1
            color: Theme.separator
        }
        DetailPane {
            Layout.fillWidth: true
            Layout.fillHeight: true
            viewModel: side.viewModel
        }
    }
}
