import QtQuick
import Codeorchardist

// The 14-day activity strip under its two labels: the cell of the day of the last change
// solid green, the days before it faint green, the rest faint gray. The cells are painted in
// one item; the labels sit on top of it.
ActivityStrip {
    id: bar

    property string lastModifiedText: ""

    implicitHeight: activityTitle.implicitHeight + 4 + stripHeight
    stripHeight: 20
    activeColor: Theme.color("green")
    idleColor: Theme.color("secondary")

    Text {
        id: activityTitle
        textFormat: Text.PlainText
        text: qsTr("Activity")
        font: Theme.font.caption2
        color: Theme.secondary
    }
    Text {
        objectName: "lastModifiedText"
        anchors.right: parent.right
        textFormat: Text.PlainText
        text: bar.lastModifiedText
        font: Theme.font.caption2
        color: Theme.secondary
    }
}
