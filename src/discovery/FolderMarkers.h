#pragma once

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

// The entries of a folder that tell what it holds: the project manifests the kind rules test,
// ".git", and the entries of a bare repository's layout.
enum class Marker : std::uint8_t {
    packageJson,
    pomXml,
    setupPy,
    pyprojectToml,
    packageSwift,
    cargoToml,
    goMod,
    cmakeLists,
    mesonBuild,
    settingsGradle,
    settingsGradleKts,
    buildGradle,
    buildGradleKts,
    sln, // the patterns "*.sln" to "*.gemspec": any entry with that extension
    slnx,
    csproj,
    fsproj,
    vbproj,
    composerJson,
    pubspecYaml,
    gemspec,
    gemfile,
    git,
    head, // a bare repository's HEAD, objects, refs and config
    objects,
    refs,
    config,
    count
};

namespace markers {

// The entry name of a fixed marker ("package.json"); null for a pattern marker.
const char* fixedName(Marker marker);
// The marker an entry name stands for, if any.
std::optional<Marker> markerFor(const char* name, std::size_t length);

} // namespace markers

// Which markers a folder holds; for a pattern marker also the entry that comes first by name
// (byte order).
struct FolderMarkers {
    std::uint32_t present = 0;
    QList<std::pair<Marker, QByteArray>> firstNamed; // pattern markers only; empty for most folders
    bool bare = false; // the folder is a bare repository (layout and core.bare = true)

    static constexpr std::uint32_t bit(Marker marker) { return std::uint32_t(1) << unsigned(marker); }
    bool has(Marker marker) const { return (present & bit(marker)) != 0; }
    bool any(std::uint32_t mask) const { return (present & mask) != 0; }
    // The entry name of a present marker: its fixed name, or the first entry of its pattern.
    std::optional<QByteArray> entryName(Marker marker) const;
    // Notes an entry of the listing that exists.
    void note(Marker marker, const char* name, std::size_t length);
    // A bare repository's four entries are all there (core.bare is still to be read).
    bool hasBareLayout() const;

    friend bool operator==(const FolderMarkers&, const FolderMarkers&) = default;
};

static_assert(std::size_t(Marker::count) <= 32, "FolderMarkers::present holds one bit per marker");
