import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Codeorchardist

// A line under the header about the results shown, after a scan was stopped: "Scan stopped —
// showing the results of 14:32", with Rescan and a close button.
Rectangle {
    id: bar
    objectName: "scanNotice"

    required property var viewModel

    visible: viewModel.scanNotice !== "" && !viewModel.isLoading
    implicitHeight: visible ? row.implicitHeight + 12 : 0
    color: Theme.tint("orange", 0.12)

    RowLayout {
        id: row
        anchors.fill: parent
        anchors.leftMargin: 16
        anchors.rightMargin: 12
        spacing: 8
        SymbolIcon {
            name: "exclamationmark.circle"
            size: Theme.size("body")
            color: Theme.symbolTone("orange")
        }
        Text {
            objectName: "scanNoticeText"
            Layout.fillWidth: true
            text: bar.viewModel.scanNotice
            textFormat: Text.PlainText
            font: Theme.font.subheadline
            color: Theme.primary
            elide: Text.ElideRight
        }
        LabelButton {
            objectName: "scanNoticeRescan"
            text: "Rescan"
            symbol: "arrow.clockwise"
            onClicked: bar.viewModel.scanProjects()
        }
        SymbolButton {
            objectName: "scanNoticeClose"
            symbol: "xmark"
            bordered: false
            tip: "Dismiss"
            onClicked: bar.viewModel.dismissScanNotice()
        }
    }
}
