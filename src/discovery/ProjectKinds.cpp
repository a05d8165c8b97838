#include "discovery/ProjectKinds.h"

#include "discovery/FileAccess.h"
#include "discovery/ManifestReaders.h"

#include <array>

namespace projectkinds {

namespace {

using M = Marker;

constexpr std::uint32_t mask(std::initializer_list<Marker> markers) {
    std::uint32_t bits = 0;
    for (Marker m : markers) bits |= FolderMarkers::bit(m);
    return bits;
}

std::optional<QByteArray> readFile(const ManifestFolder& folder, const QByteArray& name) {
    return fileaccess::readRegularFile(fileaccess::join(folder.accessPath, name));
}

std::optional<QByteArray> readMarker(const ManifestFolder& folder, Marker marker) {
    const std::optional<QByteArray> name = folder.markers.entryName(marker);
    return name ? readFile(folder, *name) : std::nullopt;
}

KindReading fromInfo(ProjectType type, const ManifestInfo& info) { return {type, info.name, info.version}; }

std::optional<KindReading> readNode(const ManifestFolder& f) {
    const ManifestInfo info = parsePackageJSON(f.accessPath);
    const ProjectType type = info.isReactNative ? ProjectType::reactNative
                             : info.isNextJS    ? ProjectType::nextJS
                                                : ProjectType::nodeJS;
    return fromInfo(type, info);
}

std::optional<KindReading> readMaven(const ManifestFolder& f) {
    return fromInfo(ProjectType::java, parsePomXML(f.accessPath));
}

std::optional<KindReading> readPython(const ManifestFolder& f) {
    return fromInfo(ProjectType::python, parsePythonProject(f.accessPath));
}

// Package.swift is not read: a Swift project is named after its folder.
std::optional<KindReading> readSwift(const ManifestFolder&) { return KindReading{ProjectType::swift, {}, {}}; }

QByteArray parentOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// [workspace.package].version of the nearest Cargo.toml above `folder` with a [workspace]
// table, looking no higher than `within`.
std::optional<QString> workspaceVersion(const QByteArray& folder, QByteArray within) {
    while (within.size() > 1 && within.endsWith('/')) within.chop(1);
    if (within.isEmpty() || folder.size() <= within.size() || !folder.startsWith(within) ||
        (within != "/" && folder[within.size()] != '/'))
        return std::nullopt;
    for (QByteArray dir = parentOf(folder);; dir = parentOf(dir)) {
        if (const auto bytes = fileaccess::readRegularFile(fileaccess::join(dir, "Cargo.toml"))) {
            const CargoManifest above = parseCargoTomlData(*bytes);
            if (above.isWorkspace) return above.workspaceVersion;
        }
        if (dir.size() <= within.size()) return std::nullopt;
    }
}

std::optional<KindReading> readRust(const ManifestFolder& f) {
    KindReading reading{ProjectType::rust, {}, {}};
    const std::optional<QByteArray> bytes = readMarker(f, M::cargoToml);
    if (!bytes) return reading;
    const CargoManifest cargo = parseCargoTomlData(*bytes);
    if (cargo.hasPackage) {
        reading.name = cargo.name;
        reading.version = cargo.inheritsVersion ? workspaceVersion(f.path, f.within) : cargo.version;
    } else if (cargo.isWorkspace) {
        reading.version = cargo.workspaceVersion;
    }
    return reading;
}

std::optional<KindReading> readGo(const ManifestFolder& f) {
    const std::optional<QByteArray> bytes = readMarker(f, M::goMod);
    return KindReading{ProjectType::go, bytes ? parseGoModData(*bytes) : std::nullopt, {}};
}

// A CMakeLists.txt or meson.build that does not call project() belongs to a larger build.
std::optional<KindReading> readNative(const ManifestFolder& f) {
    std::optional<ManifestInfo> info;
    if (const auto cmake = readMarker(f, M::cmakeLists)) info = parseCMakeListsData(*cmake);
    if (!info) {
        if (const auto meson = readMarker(f, M::mesonBuild)) info = parseMesonBuildData(*meson);
    }
    if (!info) return std::nullopt;
    return fromInfo(ProjectType::cpp, *info);
}

std::optional<KindReading> readGradle(const ManifestFolder& f) {
    const auto either = [&](Marker groovy, Marker kotlin) {
        const std::optional<QByteArray> bytes = readMarker(f, groovy);
        return bytes ? bytes : readMarker(f, kotlin);
    };
    const ManifestInfo info = parseGradleData(either(M::settingsGradle, M::settingsGradleKts),
                                              either(M::buildGradle, M::buildGradleKts),
                                              readFile(f, QByteArrayLiteral("gradle.properties")));
    return fromInfo(ProjectType::gradle, info);
}

std::optional<KindReading> readDotnet(const ManifestFolder& f) {
    KindReading reading{ProjectType::dotnet, {}, {}};
    for (Marker m : {M::sln, M::slnx, M::csproj, M::fsproj, M::vbproj}) {
        const std::optional<QByteArray> file = f.markers.entryName(m);
        if (!file) continue;
        reading.name = QString::fromUtf8(file->left(file->lastIndexOf('.')));
        break;
    }
    for (Marker m : {M::csproj, M::fsproj, M::vbproj}) {
        if (const auto bytes = readMarker(f, m)) {
            reading.version = parseDotnetVersionData(*bytes);
            break;
        }
    }
    return reading;
}

std::optional<KindReading> readComposer(const ManifestFolder& f) {
    const std::optional<QByteArray> bytes = readMarker(f, M::composerJson);
    return fromInfo(ProjectType::php, bytes ? parseComposerJsonData(*bytes) : ManifestInfo{});
}

std::optional<KindReading> readPubspec(const ManifestFolder& f) {
    const std::optional<QByteArray> bytes = readMarker(f, M::pubspecYaml);
    const ManifestInfo info = bytes ? parsePubspecData(*bytes) : ManifestInfo{};
    return fromInfo(info.isFlutter ? ProjectType::flutter : ProjectType::dart, info);
}

std::optional<KindReading> readRuby(const ManifestFolder& f) {
    KindReading reading{ProjectType::ruby, {}, {}};
    const std::optional<QByteArray> gemspec = f.markers.entryName(M::gemspec);
    if (!gemspec) return reading; // a Gemfile alone: the folder's name
    const std::optional<QByteArray> bytes = readFile(f, *gemspec);
    const ManifestInfo info = bytes ? parseGemspecData(*bytes) : ManifestInfo{};
    reading.name = info.name ? info.name : QString::fromUtf8(gemspec->chopped(8)); // ".gemspec"
    reading.version = info.version;
    return reading;
}

struct Rule {
    std::array<ProjectType, 3> kinds; // the kinds the rule may give; unused places hold Unknown
    std::uint32_t markers;             // any of them makes the rule apply
    std::optional<KindReading> (*read)(const ManifestFolder&);
};

constexpr ProjectType none = ProjectType::unknown;

constexpr Rule kRules[] = {
    {{ProjectType::nodeJS, ProjectType::reactNative, ProjectType::nextJS}, mask({M::packageJson}), readNode},
    {{ProjectType::java, none, none}, mask({M::pomXml}), readMaven},
    {{ProjectType::python, none, none}, mask({M::setupPy, M::pyprojectToml}), readPython},
    {{ProjectType::swift, none, none}, mask({M::packageSwift}), readSwift},
    {{ProjectType::rust, none, none}, mask({M::cargoToml}), readRust},
    {{ProjectType::go, none, none}, mask({M::goMod}), readGo},
    {{ProjectType::cpp, none, none}, mask({M::cmakeLists, M::mesonBuild}), readNative},
    {{ProjectType::gradle, none, none},
     mask({M::settingsGradle, M::settingsGradleKts, M::buildGradle, M::buildGradleKts}), readGradle},
    {{ProjectType::dotnet, none, none}, mask({M::sln, M::slnx, M::csproj, M::fsproj, M::vbproj}), readDotnet},
    {{ProjectType::php, none, none}, mask({M::composerJson}), readComposer},
    {{ProjectType::flutter, ProjectType::dart, none}, mask({M::pubspecYaml}), readPubspec},
    {{ProjectType::ruby, none, none}, mask({M::gemspec, M::gemfile}), readRuby},
};

// Every kind of the model but Unknown is given by exactly one rule, and every rule tests a marker.
constexpr bool everyKindHasOneRule() {
    for (ProjectType type : projecttype::allCases) {
        int rules = 0;
        for (const Rule& rule : kRules) {
            for (ProjectType k : rule.kinds) rules += k == type ? 1 : 0;
        }
        if (type != ProjectType::unknown && rules != 1) return false;
    }
    for (const Rule& rule : kRules) {
        if (rule.markers == 0 || rule.read == nullptr) return false;
    }
    return true;
}
static_assert(everyKindHasOneRule(), "each kind needs one rule (markers and reader) in kRules");

constexpr std::uint32_t allRuleMarkers() {
    std::uint32_t bits = 0;
    for (const Rule& rule : kRules) bits |= rule.markers;
    return bits;
}

} // namespace

std::uint32_t markerMask() { return allRuleMarkers(); }

std::optional<KindReading> read(const ManifestFolder& folder) {
    if (!folder.markers.any(allRuleMarkers())) return std::nullopt;
    for (const Rule& rule : kRules) {
        if (!folder.markers.any(rule.markers)) continue;
        if (std::optional<KindReading> reading = rule.read(folder)) return reading;
    }
    return std::nullopt;
}

} // namespace projectkinds
