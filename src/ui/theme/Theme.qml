pragma Singleton
import QtQuick
import Codeorchardist

// The one place that knows how things look: named colours in a light and a dark tone, the
// window's background colours, the text styles and the metrics shared by the views.
QtObject {
    id: theme

    // True while the dark appearance is in use (the desktop's preference or the override).
    readonly property bool dark: Appearance.dark

    // The named colour in the current appearance; gray for a name that is not known.
    function color(name) {
        return ColorScheme.named(name, dark)
    }
    // The named colour (or a colour value) at the given opacity, for background tints.
    function tint(nameOrColor, opacity) {
        const c = (typeof nameOrColor === "string" && !nameOrColor.startsWith("#"))
                ? color(nameOrColor) : Qt.color(nameOrColor)
        return Qt.rgba(c.r, c.g, c.b, c.a * opacity)
    }
    // Text and symbols on a fill of the named colour (white or dark, whichever reads); with
    // `fadedOpacity` below 1 it also reads on the colour faded to that opacity.
    function textOn(name, fadedOpacity) {
        return ColorScheme.textOnNamed(name, dark, fadedOpacity !== undefined ? fadedOpacity : 1.0)
    }
    // The text of a badge or counter tinted with the named colour at `opacity`: a deeper tone
    // of the colour that reads on the tint.
    function tintedText(name, opacity) {
        return ColorScheme.tintedText(name, opacity, dark, 4.5)
    }
    // A text in the named colour on the window's plain surfaces, deepened where it would not
    // read (4.5:1).
    function textTone(name) {
        return ColorScheme.tintedText(name, 0, dark, 4.5)
    }
    // A symbol in the named colour on the window's plain surfaces or a light tint of it
    // (3:1, the minimum for symbols).
    function symbolTone(name) {
        return ColorScheme.tintedText(name, 0.15, dark, 3.0)
    }

    // Every named colour by name, for views that draw in C++.
    readonly property var lightTones: ColorScheme.tones(false)
    readonly property var darkTones: ColorScheme.tones(true)

    readonly property color primary: color("primary")
    readonly property color secondary: color("secondary")
    readonly property color accent: color("blue")
    // The fill of a prominent button, under white text.
    readonly property color accentFill: ColorScheme.accentFill(dark)
    readonly property color windowBackground: ColorScheme.surface("window", dark)
    readonly property color controlBackground: ColorScheme.surface("control", dark)
    readonly property color textBackground: ColorScheme.surface("text", dark)
    readonly property color sidebarBackground: ColorScheme.surface("sidebar", dark)
    readonly property color separator: ColorScheme.surface("separator", dark)
    readonly property color selection: ColorScheme.surface("selection", dark)
    // The style's bevel tones, for the window's palette.
    function bevel(role) {
        return ColorScheme.surface(role, dark)
    }

    // Font families: the desktop's sans-serif, a monospaced one, and the icon font.
    readonly property string family: Qt.application.font.family
    readonly property string monoFamily: "DejaVu Sans Mono"
    readonly property string roundedFamily: family

    // Text styles as fonts. Use `Theme.font.headline`, or `Theme.styled("title", Font.Bold)`
    // for a style in another weight.
    readonly property QtObject font: QtObject {
        readonly property font largeTitle: Qt.font({ family: theme.family, pixelSize: TextStyles.pixelSize("largeTitle"), weight: Font.Normal })
        readonly property font title: Qt.font({ family: theme.family, pixelSize: TextStyles.pixelSize("title"), weight: Font.Normal })
        readonly property font title2: Qt.font({ family: theme.family, pixelSize: TextStyles.pixelSize("title2"), weight: Font.Normal })
        readonly property font headline: Qt.font({ family: theme.family, pixelSize: TextStyles.pixelSize("headline"), weight: Font.DemiBold })
        readonly property font subheadline: Qt.font({ family: theme.family, pixelSize: TextStyles.pixelSize("subheadline"), weight: Font.Normal })
        readonly property font body: Qt.font({ family: theme.family, pixelSize: TextStyles.pixelSize("body"), weight: Font.Normal })
        readonly property font caption: Qt.font({ family: theme.family, pixelSize: TextStyles.pixelSize("caption"), weight: Font.Normal })
        readonly property font caption2: Qt.font({ family: theme.family, pixelSize: TextStyles.pixelSize("caption2"), weight: Font.Normal })
        readonly property font monospacedBody: Qt.font({ family: theme.monoFamily, pixelSize: TextStyles.pixelSize("monospacedBody"), weight: Font.Normal })
        readonly property font roundedBody: Qt.font({ family: theme.roundedFamily, pixelSize: TextStyles.pixelSize("body"), weight: Font.Bold })
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
