import QtQuick
import Codeorchardist

// A short message that shows for a moment and goes away by itself; a longer message stays
// longer. Clicking it dismisses it.
Rectangle {
    id: bar
    objectName: "noticeBar"

    property string message
    property real maximumWidth: 600

    function show(text) {
        message = text
        visible = true
        hideTimer.interval = WindowLogic.noticeDuration(text)
        hideTimer.restart()
    }

    visible: false
    z: 100
    width: Math.min(label.implicitWidth + 32, maximumWidth)
    height: label.implicitHeight + 20
    radius: 10
    color: Theme.primary

    Text {
        id: label
        objectName: "noticeText"
        anchors.centerIn: parent
        width: Math.min(implicitWidth, bar.maximumWidth - 32)
        text: bar.message
        textFormat: Text.PlainText
        font: Theme.styled("body", Font.DemiBold)
        color: Theme.windowBackground
        wrapMode: Text.Wrap
        maximumLineCount: 4
        elide: Text.ElideRight
        horizontalAlignment: Text.AlignHCenter
    }
    TapHandler { onTapped: bar.visible = false }
    Timer {
        id: hideTimer
        onTriggered: bar.visible = false
    }
}
