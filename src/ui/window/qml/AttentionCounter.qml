import QtQuick
import Codeorchardist

// The header's "N need attention" counter, a filter toggle, followed by the progress of a
// running fetch.
Row {
    id: counter

    property var viewModel
    property alias pill: attentionPill

    spacing: 12

    StatPill {
        id: attentionPill
        objectName: "attentionPill"
        value: counter.viewModel.attentionCount
        label: WindowLogic.countWord(value, "needs attention", "need attention")
        tone: "red"
        FilterClick {
            objectName: "attentionFilter"
            viewModel: counter.viewModel
            key: "attention"
            tip: "Show only the projects that need attention"
        }
    }

    Text {
        objectName: "fetchProgress"
        anchors.verticalCenter: parent.verticalCenter
        visible: counter.viewModel.fetcher.isFetching
        text: counter.viewModel.fetcher.progressText
        font: Theme.font.caption
        color: Theme.secondary
    }
}
