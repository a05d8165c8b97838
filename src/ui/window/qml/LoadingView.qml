import QtQuick
import QtQuick.Controls
import Qt5Compat.GraphicalEffects
import Codeorchardist

// Shown while a scan runs: a turning ring, a breathing disc, the current loading message and
// "Please wait" with cycling dots; below them the scan's progress (counts, a bar once only git
// runs remain, the folder being walked) and its Stop button (also Escape). Created afresh for
// every scan, so all of it restarts.
Rectangle {
    id: loading
    objectName: "loadingView"

    property string message
    property string dots: ""
    // The running scan's ScanSession; without one no progress or Stop is shown.
    property var session: null
    readonly property bool scanRunning: session !== null && session.running

    color: Theme.windowBackground

    Column {
        anchors.centerIn: parent
        spacing: 24

        Item {
            anchors.horizontalCenter: parent.horizontalCenter
            width: 80
            height: 80

            // Ring: an angular gradient blue -> purple -> pink -> blue, masked to a 4-wide circle.
            Item {
                id: ringTurner
                objectName: "loadingRing"
                anchors.fill: parent
                Rectangle {
                    id: ringMask
                    anchors.fill: parent
                    radius: width / 2
                    color: "transparent"
                    border.width: 4
                    border.color: "black"
                    visible: false
                }
                ConicalGradient {
                    anchors.fill: parent
                    source: ringMask
                    angle: 0
                    gradient: Gradient {
                        GradientStop { position: 0.0; color: Theme.color("blue") }
                        GradientStop { position: 0.333; color: Theme.color("purple") }
                        GradientStop { position: 0.667; color: Theme.color("pink") }
                        GradientStop { position: 1.0; color: Theme.color("blue") }
                    }
                }
                RotationAnimation on rotation {
                    from: 0
                    to: 360
                    duration: 2000
                    loops: Animation.Infinite
                    easing.type: Easing.Linear
                }
            }

            RadialDisc {
                id: disc
                objectName: "loadingDisc"
                anchors.centerIn: parent
                width: 60
                height: 60
                centerColor: Theme.tint("blue", 0.3)
                edgeColor: Theme.tint("blue", 0.1)
                SequentialAnimation on scale {
                    loops: Animation.Infinite
                    NumberAnimation { from: 1.0; to: 1.1; duration: 1000; easing.type: Easing.InOutQuad }
                    NumberAnimation { from: 1.1; to: 1.0; duration: 1000; easing.type: Easing.InOutQuad }
                }
            }

            SymbolIcon {
                anchors.centerIn: parent
                name: "folder.fill.badge.gearshape"
                size: 24
                color: Theme.color("blue")
            }
        }

        Column {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 8
            Text {
                objectName: "loadingMessage"
                anchors.horizontalCenter: parent.horizontalCenter
                text: loading.message
                font: Theme.font.headline
                color: Theme.primary
            }
            Text {
                objectName: "pleaseWait"
                anchors.horizontalCenter: parent.horizontalCenter
                text: "Please wait" + loading.dots
                font: Theme.font.subheadline
                color: Theme.secondary
            }
        }

        Column {
            objectName: "scanProgress"
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 8
            visible: loading.scanRunning
            width: 420

            Text {
                objectName: "scanProgressText"
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                textFormat: Text.PlainText
                text: loading.session ? loading.session.progressText : ""
                font: Theme.font.subheadline
                color: Theme.secondary
            }
            ProgressBar {
                objectName: "scanProgressBar"
                width: parent.width
                from: 0
                to: 1
                value: loading.session ? Math.max(0, loading.session.fraction) : 0
                // Keeps its place while the walk runs, so nothing moves when it appears.
                opacity: loading.session && loading.session.fraction >= 0 ? 1 : 0
            }
            Text {
                objectName: "scanFolder"
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                textFormat: Text.PlainText
                elide: Text.ElideMiddle
                text: loading.session ? loading.session.currentFolder : ""
                font: Theme.font.caption
                color: Theme.secondary
            }
            LabelButton {
                objectName: "stopScanButton"
                anchors.horizontalCenter: parent.horizontalCenter
                text: "Stop"
                onClicked: loading.session.stop()
            }
        }
    }

    Shortcut {
        sequence: "Escape"
        enabled: loading.scanRunning
        onActivated: loading.session.stop()
    }

    // Lives and dies with this screen, so it stops when the screen goes away.
    Timer {
        objectName: "dotsTimer"
        interval: 500
        repeat: true
        running: true
        onTriggered: loading.dots = WindowLogic.nextDots(loading.dots)
    }
}
