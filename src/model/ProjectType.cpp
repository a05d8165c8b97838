#include "model/ProjectType.h"

#include <QHash>

#include <string_view>

namespace projecttype {

namespace {

// How a kind looks wherever it is drawn.
struct Presentation {
    const char* raw;   // raw value and display text ("Node.js", "C/C++", ...)
    const char* icon;  // symbol name of the theme's symbol map
    const char* color; // colour role of the theme's colour scheme
};

struct Row {
    ProjectType type;
    Presentation look;
};

// One row per kind, in declaration order. Java and Swift share their orange.
constexpr Row kKinds[] = {
    {ProjectType::nodeJS, {"Node.js", "cube.box", "green"}},
    {ProjectType::reactNative, {"React Native", "iphone", "cyan"}},
    {ProjectType::nextJS, {"Next.js", "globe", "primary"}},
    {ProjectType::java, {"Java/Maven", "cup.and.saucer", "orange"}},
    {ProjectType::python, {"Python", "chevron.left.forwardslash.chevron.right", "yellow"}},
    {ProjectType::swift, {"Swift", "swift", "orange"}},
    {ProjectType::rust, {"Rust", "gearshape", "brown"}},
    {ProjectType::go, {"Go", "gauge", "turquoise"}},
    {ProjectType::cpp, {"C/C++", "cpu", "navy"}},
    {ProjectType::gradle, {"Gradle", "pawprint", "lime"}},
    {ProjectType::dotnet, {".NET", "curlybraces", "violet"}},
    {ProjectType::php, {"PHP", "php", "lavender"}},
    {ProjectType::flutter, {"Flutter", "bird", "magenta"}},
    {ProjectType::dart, {"Dart", "target", "mint"}},
    {ProjectType::ruby, {"Ruby", "diamond", "ruby"}},
    {ProjectType::unknown, {"Unknown", "questionmark.folder", "gray"}},
};

constexpr bool rowsFollowTheDeclaration() {
    if (std::size(kKinds) != kindCount) return false;
    for (std::size_t i = 0; i < kindCount; ++i) {
        if (kKinds[i].type != ProjectType(i)) return false;
        for (std::size_t j = 0; j < i; ++j) {
            if (std::string_view(kKinds[i].look.raw) == kKinds[j].look.raw) return false;
        }
    }
    return true;
}
static_assert(rowsFollowTheDeclaration(), "one row per kind, in declaration order, raw values distinct");

const Presentation& presentation(ProjectType type) { return kKinds[static_cast<std::size_t>(type)].look; }

} // namespace

QString rawValue(ProjectType type) { return QString::fromLatin1(presentation(type).raw); }

std::optional<ProjectType> fromRawValue(const QString& raw) {
    for (const Row& row : kKinds) {
        if (raw == QLatin1String(row.look.raw)) return row.type;
    }
    return std::nullopt;
}

QString icon(ProjectType type) { return QString::fromLatin1(presentation(type).icon); }

QString color(ProjectType type) { return QString::fromLatin1(presentation(type).color); }

} // namespace projecttype

size_t qHash(ProjectType type, size_t seed) noexcept { return qHash(projecttype::rawValue(type), seed); }
