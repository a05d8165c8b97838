pragma Singleton
import QtQuick
import Codeorchardist

// The one place that knows how things look: named colours in a light and a dark tone, the
// window's background colours, the text styles and the metrics shared by the views.
QtObject {
    id: theme

    // True while the dark appearance is in use (the desktop's preference or the override).
    readonly property bool dark: Appearance.dark

    readonly property var lightTones: ({
        blue: "#0a6cde", purple: "#9a4ad0", indigo: "#5856d6", orange: "#f08c00",
        green: "#26a148", teal: "#2a9fb4", pink: "#e8365d", cyan: "#1a9bd7",
        yellow: "#d9a900", gray: "#8a8a8f", red: "#e0352b", white: "#ffffff",
        clear: "#00000000", primary: "#1f1f21", secondary: "#6b6b70"
    })
    readonly property var darkTones: ({
        blue: "#3d94ff", purple: "#c17bf0", indigo: "#7d7bf2", orange: "#ffa033",
        green: "#3ccf67", teal: "#4cc6d8", pink: "#ff5c80", cyan: "#5acbf5",
        yellow: "#ffd426", gray: "#98989d", red: "#ff5a4f", white: "#ffffff",
        clear: "#00000000", primary: "#f0f0f2", secondary: "#a3a3a8"
    })

    // The named colour in the current appearance; gray for a name that is not known.
    function color(name) {
        const tones = dark ? darkTones : lightTones
        const c = tones[name]
        return c !== undefined ? c : tones.gray
    }
    // The named colour (or a colour value) at the given opacity, for background tints.
    function tint(nameOrColor, opacity) {
        const c = (typeof nameOrColor === "string" && !nameOrColor.startsWith("#"))
                ? Qt.color(color(nameOrColor)) : Qt.color(nameOrColor)
        return Qt.rgba(c.r, c.g, c.b, c.a * opacity)
    }

    readonly property color primary: color("primary")
    readonly property color secondary: color("secondary")
    readonly property color accent: color("blue")
    readonly property color windowBackground: dark ? "#242424" : "#f6f5f4"
    readonly property color controlBackground: dark ? "#2e2e30" : "#ffffff"
    readonly property color textBackground: dark ? "#1e1e1e" : "#ffffff"
    readonly property color separator: dark ? "#3d3d40" : "#d9d8d6"
    readonly property color selection: dark ? "#1f4f8f" : "#cfe2fc"

    // Font families: the desktop's sans-serif, a monospaced one, and the icon font.
    readonly property string family: Qt.application.font.family
    readonly property string monoFamily: "DejaVu Sans Mono"
    readonly property string roundedFamily: family

    // Text styles as fonts. Use `Theme.font.headline`, or `Theme.styled("title", Font.Bold)`
    // for a style in another weight.
    readonly property QtObject font: QtObject {
        readonly property font largeTitle: Qt.font({ family: theme.family, pixelSize: 28, weight: Font.Normal })
        readonly property font title: Qt.font({ family: theme.family, pixelSize: 22, weight: Font.Normal })
        readonly property font title2: Qt.font({ family: theme.family, pixelSize: 18, weight: Font.Normal })
        readonly property font headline: Qt.font({ family: theme.family, pixelSize: 14, weight: Font.DemiBold })
        readonly property font subheadline: Qt.font({ family: theme.family, pixelSize: 12, weight: Font.Normal })
        readonly property font body: Qt.font({ family: theme.family, pixelSize: 14, weight: Font.Normal })
        readonly property font caption: Qt.font({ family: theme.family, pixelSize: 12, weight: Font.Normal })
        readonly property font caption2: Qt.font({ family: theme.family, pixelSize: 11, weight: Font.Normal })
        readonly property font monospacedBody: Qt.font({ family: theme.monoFamily, pixelSize: 13, weight: Font.Normal })
        readonly property font roundedBody: Qt.font({ family: theme.roundedFamily, pixelSize: 14, weight: Font.Bold })
    }

    // Pixel size of a text style by name ("largeTitle", "title", ... "caption2").
    function size(style) {
        const f = font[style]
        return f !== undefined ? f.pixelSize : font.body.pixelSize
    }
    // A text style in another weight (and optionally design: "monospaced" or "rounded").
    function styled(style, weight, design) {
        const base = font[style] !== undefined ? font[style] : font.body
        const fam = design === "monospaced" ? monoFamily : design === "rounded" ? roundedFamily : base.family
        return Qt.font({ family: fam, pixelSize: base.pixelSize,
                         weight: weight !== undefined ? weight : base.weight })
    }
    // The system font at a pixel size and weight.
    function system(pixelSize, weight) {
        return Qt.font({ family: family, pixelSize: pixelSize,
                         weight: weight !== undefined ? weight : Font.Normal })
    }
}
