import QtQuick
import Codeorchardist

// The header's "N need attention" counter, a filter toggle.
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
        shortLabel: "attention"
        tone: "red"
        FilterClick {
            objectName: "attentionFilter"
            viewModel: counter.viewModel
            key: "attention"
            tip: "Show only the projects that need attention"
        }
    }
}
