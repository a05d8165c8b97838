#include "discovery/FolderMarkers.h"

#include <cstring>
#include <string_view>

namespace markers {

namespace {

struct Fixed {
    const char* name;
    Marker marker;
};

// Entry names looked up by their first byte: most entries are no marker, and that byte tells.
constexpr Fixed kFixed[] = {
    {"package.json", Marker::packageJson},   {"pom.xml", Marker::pomXml},
    {"setup.py", Marker::setupPy},           {"pyproject.toml", Marker::pyprojectToml},
    {"Package.swift", Marker::packageSwift}, {"Cargo.toml", Marker::cargoToml},
    {"go.mod", Marker::goMod},               {"CMakeLists.txt", Marker::cmakeLists},
    {"meson.build", Marker::mesonBuild},     {"settings.gradle", Marker::settingsGradle},
    {"settings.gradle.kts", Marker::settingsGradleKts}, {"build.gradle", Marker::buildGradle},
    {"build.gradle.kts", Marker::buildGradleKts},       {"composer.json", Marker::composerJson},
    {"pubspec.yaml", Marker::pubspecYaml},   {"Gemfile", Marker::gemfile},
    {".git", Marker::git},                   {"HEAD", Marker::head},
    {"objects", Marker::objects},            {"refs", Marker::refs},
    {"config", Marker::config},
};

struct Pattern {
    std::string_view extension;
    Marker marker;
};

constexpr Pattern kPatterns[] = {
    {".sln", Marker::sln},       {".slnx", Marker::slnx},     {".csproj", Marker::csproj},
    {".fsproj", Marker::fsproj}, {".vbproj", Marker::vbproj}, {".gemspec", Marker::gemspec},
};

constexpr bool startsAMarker(char c) {
    for (const Fixed& f : kFixed) {
        if (f.name[0] == c) return true;
    }
    return false;
}

// The table above as a lookup by first byte.
struct FirstBytes {
    bool table[256] = {};
    constexpr FirstBytes() {
        for (int c = 0; c < 256; ++c) table[c] = startsAMarker(char(c));
    }
};
constexpr FirstBytes kFirstBytes;

} // namespace

const char* fixedName(Marker marker) {
    for (const Fixed& f : kFixed) {
        if (f.marker == marker) return f.name;
    }
    return nullptr;
}

std::optional<Marker> markerFor(const char* name, std::size_t length) {
    if (length == 0) return std::nullopt;
    if (kFirstBytes.table[static_cast<unsigned char>(name[0])]) {
        for (const Fixed& f : kFixed) {
            if (std::strcmp(name, f.name) == 0) return f.marker;
        }
    }
    // Extensions end in n, x, j or c. A hidden entry is no project file.
    const char last = name[length - 1];
    if (last != 'n' && last != 'x' && last != 'j' && last != 'c') return std::nullopt;
    if (name[0] == '.') return std::nullopt;
    const std::string_view whole(name, length);
    for (const Pattern& p : kPatterns) {
        if (length > p.extension.size() && whole.ends_with(p.extension)) return p.marker;
    }
    return std::nullopt;
}

} // namespace markers

std::optional<QByteArray> FolderMarkers::entryName(Marker marker) const {
    if (!has(marker)) return std::nullopt;
    if (const char* fixed = markers::fixedName(marker)) return QByteArray(fixed);
    for (const auto& [m, name] : firstNamed) {
        if (m == marker) return name;
    }
    return std::nullopt;
}

void FolderMarkers::note(Marker marker, const char* name, std::size_t length) {
    present |= bit(marker);
    if (markers::fixedName(marker)) return;
    const QByteArray entry(name, qsizetype(length));
    for (auto& [m, first] : firstNamed) {
        if (m != marker) continue;
        if (entry < first) first = entry;
        return;
    }
    firstNamed.append({marker, entry});
}

bool FolderMarkers::hasBareLayout() const {
    constexpr std::uint32_t layout = bit(Marker::head) | bit(Marker::objects) | bit(Marker::refs) | bit(Marker::config);
    return (present & layout) == layout;
}
