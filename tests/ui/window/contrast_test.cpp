// Every foreground the views draw on a background, in both appearances, against the WCAG
// minimums: 4.5:1 for text, 3:1 for symbols. The pairs are those the QML asks the theme for.
#include "ColorScheme.h"

#include "model/ProjectType.h"

#include <QColor>
#include <array>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using namespace colorscheme;

constexpr double kText = 4.5;
constexpr double kSymbol = 3.0;

QStringList kindColors()
{
    QStringList names;
    for (ProjectType type : projecttype::allCases)
        names.append(projecttype::color(type));
    return names;
}

QColor tintOver(const QString& name, double opacity, const QColor& surfaceColor, bool dark)
{
    return composite(withOpacity(named(name, dark), opacity), surfaceColor);
}

class Contrast : public ::testing::TestWithParam<bool> {
protected:
    bool dark() const { return GetParam(); }
    void expectAtLeast(const QColor& fg, const QColor& bg, double minimum, const std::string& what)
    {
        EXPECT_GE(contrast(fg, bg), minimum) << what << (dark() ? " (dark)" : " (light)") << ": "
                                             << fg.name().toStdString() << " on " << bg.name().toStdString();
    }
};

TEST(WcagFormula, KnownRatios)
{
    EXPECT_NEAR(contrast(Qt::white, Qt::black), 21.0, 1e-9);
    EXPECT_NEAR(contrast(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(contrast(QColor("#777777"), Qt::white), 4.48, 0.01);
    EXPECT_NEAR(contrast(QColor("#0a6cde"), QColor("#0a6cde")), 1.0, 1e-9);
    // A translucent foreground is judged by what it looks like on the background.
    EXPECT_NEAR(contrast(withOpacity(Qt::black, 0.0), Qt::white), 1.0, 1e-6);
    EXPECT_NEAR(composite(withOpacity(Qt::black, 0.5), Qt::white).red(), 128, 1);
}

TEST(Palette, EveryNamedColourAndSurfaceIsDefinedInBothAppearances)
{
    for (bool dark : {false, true}) {
        for (const QString& name : names())
            EXPECT_TRUE(named(name, dark).isValid()) << name.toStdString();
        EXPECT_EQ(named("no such colour", dark), named("gray", dark));
        for (const QColor& c : textSurfaces(dark))
            EXPECT_EQ(c.alpha(), 255);
        EXPECT_EQ(surface("no such role", dark).alpha(), 0);
    }
    EXPECT_NE(named("primary", false), named("primary", true));
}

TEST_P(Contrast, PlainTextOnEverySurface)
{
    for (const QColor& bg : textSurfaces(dark())) {
        expectAtLeast(named("primary", dark()), bg, kText, "primary text");
        expectAtLeast(named("secondary", dark()), bg, kText, "secondary text");
    }
    // Folder button, search field (window) and remote rows (control, text): secondary text on
    // a secondary tint.
    for (const char* role : {"window", "control", "text"})
        expectAtLeast(named("secondary", dark()), tintOver("secondary", 0.1, surface(role, dark()), dark()), kText,
                      std::string("secondary text on its tint over ") + role);
}

TEST_P(Contrast, KindBadgesSymbolsAndCardHeaders)
{
    for (const QString& kind : kindColors()) {
        const std::string what = kind.toStdString();
        for (const QColor& bg : textSurfaces(dark())) {
            // List row badge (0.15), tree kind disc (0.15, selected 0.3).
            for (double opacity : {0.15, 0.3})
                expectAtLeast(tintedText(kind, opacity, dark()), tintOver(kind, opacity, bg, dark()), kText,
                              "badge text of " + what);
            // Kind symbols on plain surfaces and on light tints (info cards 0.1).
            const QColor symbol = tintedText(kind, 0.15, dark(), kSymbol);
            expectAtLeast(symbol, bg, kSymbol, "symbol of " + what);
            expectAtLeast(symbol, tintOver(kind, 0.1, bg, dark()), kSymbol, "symbol on tint of " + what);
        }
        // Card header: ring and label at the band's bottom-left corner, where its diagonal
        // gradient (full at the top-left, 0.7 at the bottom-right) is still above 0.9.
        const QColor band = named(kind, dark());
        const QColor faded = composite(withOpacity(band, 0.9), surface("control", dark()));
        const QColor onBand = textOn({band, faded});
        expectAtLeast(onBand, band, kText, "card header label of " + what);
        expectAtLeast(onBand, faded, kText, "card header label (faded) of " + what);
    }
}

// CIE L*a*b* distance (CIE76) of two sRGB colours: about 2 is just noticeable, over 20 reads
// as another colour at a glance.
double labDistance(const QColor& a, const QColor& b)
{
    const auto lab = [](const QColor& c) {
        const auto lin = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        const double r = lin(c.redF()), g = lin(c.greenF()), bl = lin(c.blueF());
        const double xyz[3] = {(0.4124 * r + 0.3576 * g + 0.1805 * bl) / 0.95047, 0.2126 * r + 0.7152 * g + 0.0722 * bl,
                               (0.0193 * r + 0.1192 * g + 0.9505 * bl) / 1.08883};
        double f[3];
        for (int i = 0; i < 3; ++i)
            f[i] = xyz[i] > 0.008856 ? std::cbrt(xyz[i]) : 7.787 * xyz[i] + 16.0 / 116.0;
        return std::array<double, 3>{116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
    };
    const auto p = lab(a), q = lab(b);
    return std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
}

TEST_P(Contrast, KindColoursAreToldApart)
{
    // Java and Swift share their colour by design; every other pair of kinds differs clearly.
    for (ProjectType a : projecttype::allCases) {
        for (ProjectType b : projecttype::allCases) {
            if (a >= b || projecttype::color(a) == projecttype::color(b))
                continue;
            EXPECT_GE(labDistance(named(projecttype::color(a), dark()), named(projecttype::color(b), dark())), 20.0)
                << projecttype::rawValue(a).toStdString() << " and " << projecttype::rawValue(b).toStdString()
                << (dark() ? " (dark)" : " (light)");
        }
    }
}

TEST_P(Contrast, CountersStatusTextsButtonsAndNotices)
{
    for (const QColor& bg : textSurfaces(dark())) {
        for (const char* tone : {"blue", "orange"})
            expectAtLeast(tintedText(tone, 0.1, dark()), tintOver(tone, 0.1, bg, dark()), kText,
                          std::string("counter ") + tone);
        for (const char* tone : {"orange", "green", "purple"})
            expectAtLeast(tintedText(tone, 0.0, dark()), bg, kText, std::string("status text ") + tone);
    }
    // Prominent button: white on the accent fill.
    expectAtLeast(Qt::white, accentFill(dark()), kText, "prominent button");
    // Round buttons: their symbol on their colour.
    for (const char* tone : {"blue", "orange"})
        expectAtLeast(textOn({named(tone, dark())}), named(tone, dark()), kSymbol, std::string("round button ") + tone);
    // The notice: window colour on primary.
    expectAtLeast(surface("window", dark()), named("primary", dark()), kText, "notice");
    // Kind colours that are light get the dark foreground where white would not read.
    expectAtLeast(textOn({named("yellow", dark())}), named("yellow", dark()), kText, "on yellow");
    expectAtLeast(textOn({named("primary", dark())}), named("primary", dark()), kText, "on Next.js");
}

INSTANTIATE_TEST_SUITE_P(BothAppearances, Contrast, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Dark" : "Light"; });

} // namespace
