#pragma once

#include <QString>
#include <array>
#include <cstddef>
#include <optional>

// The closed list of project kinds. The raw value is also the display text. The order is the
// order of every list of kinds (filter, counts, welcome tiles); Unknown stays last.
enum class ProjectType {
    nodeJS,
    reactNative,
    nextJS,
    java,
    python,
    swift,
    rust,
    go,
    cpp,
    gradle,
    dotnet,
    php,
    flutter,
    dart,
    ruby,
    unknown,
};

namespace projecttype {

inline constexpr std::size_t kindCount = std::size_t(ProjectType::unknown) + 1;

// Every kind, in declaration order (the order the per-kind counts walk).
inline constexpr std::array<ProjectType, kindCount> allCases = [] {
    std::array<ProjectType, kindCount> kinds{};
    for (std::size_t i = 0; i < kindCount; ++i) kinds[i] = ProjectType(i);
    return kinds;
}();

QString rawValue(ProjectType type);
// Exact, case-sensitive match against the raw values.
std::optional<ProjectType> fromRawValue(const QString& raw);
// Symbol name of the kind's icon ("cube.box", "iphone", ...).
QString icon(ProjectType type);
// Name of the kind's colour ("green", "cyan", "primary", ...); the theme maps names to colours.
QString color(ProjectType type);

} // namespace projecttype

size_t qHash(ProjectType type, size_t seed = 0) noexcept;
