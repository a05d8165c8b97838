import QtQuick
import QtQuick.Layouts
import Codeorchardist

// The answer of the last action ("Copied", what failed), in a strip along the bottom of the
// window: it takes its own room, so it never covers the buttons it answers. A short message
// goes after a moment, a longer one stays longer; the cross or a click dismisses it.
Rectangle {
    id: bar
    objectName: "noticeBar"

    property string message

    function show(text) {
        message = text
        visible = true
        hideTimer.interval = WindowLogic.noticeDuration(text)
        hideTimer.restart()
    }

    visible: false
    Layout.fillWidth: true
    Layout.preferredHeight: visible ? implicitHeight : 0
    implicitHeight: Math.max(label.implicitHeight, close.implicitHeight) + 12
    color: Theme.controlBackground

    Rectangle {
        width: parent.width
        height: 1
        color: Theme.separator
    }
    Text {
        id: label
        objectName: "noticeText"
        anchors.left: parent.left
        anchors.right: close.left
        anchors.leftMargin: 16
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        text: bar.message
        textFormat: Text.PlainText
        font: Theme.styled("body", Font.DemiBold)
        color: Theme.primary
        wrapMode: Text.Wrap
        maximumLineCount: 4
        elide: Text.ElideRight
    }
    SymbolButton {
        id: close
        objectName: "noticeClose"
        anchors.right: parent.right
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        bordered: false
        implicitWidth: 28
        implicitHeight: 26
        symbol: "xmark"
        tip: "Dismiss"
        onClicked: bar.visible = false
    }
    TapHandler { onTapped: bar.visible = false }
    HoverHandler { id: hover }
    Timer {
        id: hideTimer
        // A message being read stays.
        onTriggered: if (hover.hovered) restart(); else bar.visible = false
    }
}
