#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Symbol names (as the views request them, e.g. "folder.fill") mapped to what draws them:
// a glyph of the Material Icons font, or, for the few symbols that font lacks, a vector path
// of our own.
namespace symbolmap {

struct Symbol {
    char32_t codepoint = 0; // Material Icons code point; 0 when the symbol is a path
    QString materialName;   // the Material Icons ligature name, for reference and tests
    QString path;           // SVG path data in a 24 x 24 box when codepoint is 0
};

// The family name of the icon font the glyphs come from.
QString fontFamily();

std::optional<Symbol> lookup(const QString& name);
// Every mapped symbol name, sorted.
QStringList names();

} // namespace symbolmap
