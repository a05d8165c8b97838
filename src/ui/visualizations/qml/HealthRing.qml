import QtQuick
import Codeorchardist

// How recently the project changed, as a ring: full for today, a quarter for over a month,
// empty when unknown; the label reads NOW, 3d, 2w, 1m or ?.
Item {
    id: ring

    property var lastModified: null
    // The colour of the arc and the label, chosen to read on the card's header.
    property color foreground: "white"

    readonly property real healthScore: CardMetrics.healthScore(lastModified)
    readonly property string healthLabel: CardMetrics.healthLabel(lastModified)

    width: 36
    height: 36

    HealthRingArc {
        anchors.fill: parent
        value: ring.healthScore
        color: ring.foreground
        trackColor: Qt.rgba(ring.foreground.r, ring.foreground.g, ring.foreground.b, 0.3)
    }
    Text {
        objectName: "healthLabel"
        anchors.centerIn: parent
        text: ring.healthLabel
        // Small enough for "NOW" to sit inside the ring, bold to read at that size.
        font: Theme.system(9, Font.Bold)
        color: ring.foreground
    }
}
