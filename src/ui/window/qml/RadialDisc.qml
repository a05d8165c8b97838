import QtQuick
import QtQuick.Shapes

// A circle filled with a radial gradient from `centerColor` to `edgeColor`.
Shape {
    id: disc
    property color centerColor
    property color edgeColor

    implicitWidth: 60
    implicitHeight: 60
    layer.enabled: true
    layer.samples: 4
    layer.smooth: true

    ShapePath {
        strokeColor: "transparent"
        fillGradient: RadialGradient {
            centerX: disc.width / 2
            centerY: disc.height / 2
            centerRadius: disc.width / 2
            focalX: centerX
            focalY: centerY
            focalRadius: 0
            GradientStop { position: 0; color: disc.centerColor }
            GradientStop { position: 1; color: disc.edgeColor }
        }
        PathAngleArc {
            centerX: disc.width / 2
            centerY: disc.height / 2
            radiusX: disc.width / 2
            radiusY: disc.height / 2
            startAngle: 0
            sweepAngle: 360
        }
    }
}
