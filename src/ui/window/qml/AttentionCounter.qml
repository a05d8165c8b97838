import QtQuick
import Codeorchardist

// The header's "N need attention" counter, a filter toggle, followed by the progress of a
// running fetch.
Row {
    id: counter

    property var viewModel
    property alias pill: attentionPill
    // What the fetch's progress adds beside the pill (0 while no fetch runs).
    readonly property real progressWidth: progress.visible ? progress.implicitWidth + spacing : 0

    spacing: 12

    StatPill {
        id: attentionPill
        objectName: "attentionPill"
        value: counter.viewModel.attentionCount
        label: WindowLogic.countWord(value, "needs attention", "need attention")
        shortLabel: "attention"
        tone: "red"
        FilterClick {
            objectName: "attentionFilter"
            viewModel: counter.viewModel
            key: "attention"
            tip: "Show only the projects that need attention"
        }
    }

    Text {
        id: progress
        objectName: "fetchProgress"
        anchors.verticalCenter: parent.verticalCenter
        visible: counter.viewModel.fetcher.isFetching
        text: counter.viewModel.fetcher.progressText
        font: Theme.font.caption
        color: Theme.secondary
    }
}
