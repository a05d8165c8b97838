// Every symbol name the application asks for has a glyph (or a path) and the glyph is in the
// icon font, so no view ever shows an empty square.
#include "SymbolMap.h"
#include "Symbols.h"

#include "model/ProjectType.h"

#include <QDirIterator>
#include <QFile>
#include <QFontDatabase>
#include <QRawFont>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

QString sourceDir()
{
    return QStringLiteral(CODEORCHARDIST_SOURCE_DIR);
}

// Symbol names written in the QML: string values of name/icon/symbol properties, and any
// lower-case dotted literal (the form of most symbol names).
QSet<QString> symbolsInQml(QStringList* files)
{
    QSet<QString> found;
    static const QRegularExpression property(
        QStringLiteral(R"re((?:\b|_)(?:name|icon|symbol|iconName|symbolName)\s*:\s*"([a-z0-9.]+)")re"));
    static const QRegularExpression dotted(QStringLiteral(R"re("([a-z][a-z0-9]*(?:\.[a-z0-9]+)+)")re"));
    QDirIterator it(sourceDir() + QStringLiteral("/src/ui"), {QStringLiteral("*.qml")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files->append(path);
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(f.readAll());
        for (const auto& re : {property, dotted}) {
            auto m = re.globalMatch(text);
            while (m.hasNext()) {
                const QString s = m.next().captured(1);
                if (s.endsWith(QLatin1String(".qml")) || s.endsWith(QLatin1String(".svg"))
                    || s.endsWith(QLatin1String(".png")) || s.endsWith(QLatin1String(".json")))
                    continue;
                found.insert(s);
            }
        }
    }
    return found;
}

// The symbols the application's design names for kinds, modes, screens, panes and dashboard.
const QStringList designedSymbols = {
    "cube.box", "iphone", "globe", "cup.and.saucer", "chevron.left.forwardslash.chevron.right",
    "swift", "questionmark.folder", "list.bullet", "tree", "point.3.connected.trianglepath.dotted",
    "square.grid.2x2", "folder.badge.questionmark", "magnifyingglass", "sidebar.left", "plus",
    "minus", "arrow.counterclockwise", "building.2.fill", "folder.fill", "chevron.down",
    "arrow.clockwise", "folder.badge.gearshape", "folder.badge.plus", "folder.fill.badge.gearshape",
    "tag", "arrow.triangle.branch", "clock", "checkmark.circle", "exclamationmark.circle", "link",
    "doc.on.doc", "folder", "terminal", "plus.magnifyingglass", "minus.magnifyingglass",
    "exclamationmark.triangle.fill", "clock.badge.exclamationmark.fill", "checkmark.circle.fill",
    "bolt.fill", "externaldrive",
};

QRawFont iconFont()
{
    const QStringList candidates = {
        QStringLiteral("/usr/share/fonts/truetype/material-design-icons-iconfont/MaterialIcons-Regular.ttf"),
    };
    for (const QString& file : candidates) {
        QRawFont font(file, 24);
        if (font.isValid())
            return font;
    }
    return {};
}

TEST(SymbolMap, EveryDesignedSymbolAndKindIconIsMapped)
{
    QStringList names = designedSymbols;
    for (ProjectType t : projecttype::allCases)
        names.append(projecttype::icon(t));
    for (const QString& n : names)
        EXPECT_TRUE(symbolmap::lookup(n).has_value()) << "no mapping for symbol " << n.toStdString();
}

TEST(SymbolMap, EverySymbolWrittenInTheQmlIsMapped)
{
    QStringList files;
    const QSet<QString> used = symbolsInQml(&files);
    ASSERT_FALSE(files.isEmpty()) << "no QML found below " << sourceDir().toStdString();
    // The scan itself must see the names the window uses, or it would pass vacuously.
    EXPECT_TRUE(used.contains(QStringLiteral("folder.fill")));
    for (const QString& n : used)
        EXPECT_TRUE(symbolmap::lookup(n).has_value()) << "QML uses unmapped symbol \"" << n.toStdString() << "\"";
}

TEST(SymbolMap, EveryGlyphIsInTheIconFontAndEveryPathIsDrawable)
{
    const QRawFont font = iconFont();
    ASSERT_TRUE(font.isValid()) << "Material Icons font not installed";
    EXPECT_EQ(font.familyName(), symbolmap::fontFamily());
    for (const QString& n : symbolmap::names()) {
        const auto s = symbolmap::lookup(n);
        ASSERT_TRUE(s.has_value());
        if (s->codepoint == 0) {
            EXPECT_TRUE(s->path.startsWith(QLatin1Char('M'))) << n.toStdString();
            EXPECT_TRUE(s->path.trimmed().endsWith(QLatin1Char('z'))) << n.toStdString();
        } else {
            EXPECT_TRUE(font.supportsCharacter(uint(s->codepoint)))
                << n.toStdString() << " -> U+" << std::hex << uint(s->codepoint) << " not in the font";
        }
    }
}

TEST(SymbolMap, TheMaterialCodepointsMatchTheFontsOwnList)
{
    QFile list(QStringLiteral("/usr/share/fonts-material-design-icons-iconfont/scss/_variables.scss"));
    if (!list.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "the icon font's name list is not installed";
    const QString text = QString::fromUtf8(list.readAll());
    for (const QString& n : symbolmap::names()) {
        const auto s = symbolmap::lookup(n);
        if (s->codepoint == 0)
            continue;
        const QRegularExpression re(QStringLiteral("\"%1\":\\s*([0-9a-f]+)").arg(QRegularExpression::escape(s->materialName)));
        const auto m = re.match(text);
        ASSERT_TRUE(m.hasMatch()) << s->materialName.toStdString() << " not in the font's list";
        EXPECT_EQ(m.captured(1).toUInt(nullptr, 16), uint(s->codepoint)) << n.toStdString();
    }
}

TEST(SymbolMap, UnknownNamesAreReportedNotBlank)
{
    Symbols symbols;
    EXPECT_FALSE(symbols.has(QStringLiteral("no.such.symbol")));
    EXPECT_FALSE(symbols.glyph(QStringLiteral("no.such.symbol")).isEmpty());
    EXPECT_EQ(symbols.glyph(QStringLiteral("folder.fill")), QString(QChar(0xe2c7)));
    EXPECT_TRUE(symbols.glyph(QStringLiteral("swift")).isEmpty());
    EXPECT_FALSE(symbols.path(QStringLiteral("swift")).isEmpty());
    EXPECT_TRUE(symbols.path(QStringLiteral("folder.fill")).isEmpty());
}

} // namespace
