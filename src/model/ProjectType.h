#pragma once

#include <QString>
#include <array>
#include <optional>

// The closed list of project kinds. The raw value is also the display text.
enum class ProjectType {
    nodeJS,
    reactNative,
    nextJS,
    java,
    python,
    swift,
    unknown,
};

namespace projecttype {

// Every kind, in declaration order (the order the per-kind counts walk).
inline constexpr std::array<ProjectType, 7> allCases = {
    ProjectType::nodeJS, ProjectType::reactNative, ProjectType::nextJS, ProjectType::java,
    ProjectType::python, ProjectType::swift,       ProjectType::unknown,
};

QString rawValue(ProjectType type);
// Exact, case-sensitive match against the seven raw values.
std::optional<ProjectType> fromRawValue(const QString& raw);
// Symbol name of the kind's icon ("cube.box", "iphone", ...).
QString icon(ProjectType type);
// Name of the kind's colour ("green", "cyan", "primary", ...); the theme maps names to colours.
QString color(ProjectType type);

} // namespace projecttype

size_t qHash(ProjectType type, size_t seed = 0) noexcept;
