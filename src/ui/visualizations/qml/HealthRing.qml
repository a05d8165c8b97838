import QtQuick
import Codeorchardist

// How recently the project changed, as a ring: full for today, a quarter for over a month,
// empty when unknown; the label reads NOW, 3d, 2w, 1m or ?.
Item {
    id: ring

    property var lastModified: null

    readonly property real healthScore: CardMetrics.healthScore(lastModified)
    readonly property string healthLabel: CardMetrics.healthLabel(lastModified)

    width: 36
    height: 36

    HealthRingArc {
        anchors.fill: parent
        value: ring.healthScore
        color: "white"
        trackColor: Qt.rgba(1, 1, 1, 0.3)
    }
    Text {
        objectName: "healthLabel"
        anchors.centerIn: parent
        text: ring.healthLabel
        font.pixelSize: 8
        font.bold: true
        color: "white"
    }
}
