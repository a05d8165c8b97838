#pragma once

#include "discovery/ManifestInfo.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// Pure readers of a project folder's manifests. They never fail outward: a missing,
// unreadable or malformed file leaves the fields empty. A UTF-8 byte order mark at the start
// of any manifest is skipped.

// "package.json": name, version, and React Native / Next.js dependencies.
ManifestInfo parsePackageJSON(const QByteArray& folder);
// "pom.xml": the project's own <artifactId> and <version>, else its <parent>'s version.
ManifestInfo parsePomXML(const QByteArray& folder);
// "pyproject.toml", then "setup.py" when it gives neither name nor version.
ManifestInfo parsePythonProject(const QByteArray& folder);

// The same readers on a file's content, as read from disk.
ManifestInfo parsePackageJSONData(QByteArrayView bytes);
// Read as XML: the direct children <artifactId> and <version> of <project>, else the
// <parent>'s <version>; an empty element counts as absent. Text that is not well-formed XML
// gives the first <artifactId> and the first <version> anywhere in it.
ManifestInfo parsePomXMLData(QByteArrayView bytes);
// pyproject.toml as TOML: [project].name, else [tool.poetry].name; [project].version, else
// [tool.poetry].version, and none when [project].dynamic lists "version". A file that is not
// TOML gives the first quoted `name =` and `version =` that start a line. setup.py counts only
// when pyproject.toml is absent or yields neither field, and there only as keyword arguments
// (`name=` after "(" or ",").
ManifestInfo parsePythonProjectData(const std::optional<QByteArray>& pyprojectToml,
                                    const std::optional<QByteArray>& setupPy);

// "composer.json": the "name" ("vendor/package") and "version" strings.
ManifestInfo parseComposerJsonData(QByteArrayView bytes);

// "Cargo.toml".
struct CargoManifest {
    bool hasPackage = false;       // a [package] table
    std::optional<QString> name;   // [package].name
    std::optional<QString> version; // [package].version as a string
    bool inheritsVersion = false;  // version.workspace = true
    bool isWorkspace = false;      // a [workspace] table
    std::optional<QString> workspaceVersion; // [workspace.package].version
    friend bool operator==(const CargoManifest&, const CargoManifest&) = default;
};
CargoManifest parseCargoTomlData(QByteArrayView bytes);

// "go.mod": the last element of the module path, a major-version suffix ("/v2") skipped.
std::optional<QString> parseGoModData(QByteArrayView bytes);

// "CMakeLists.txt": nothing unless it calls project(); then the first argument (quotes
// removed) and the argument after VERSION.
std::optional<ManifestInfo> parseCMakeListsData(QByteArrayView bytes);
// "meson.build": nothing unless it calls project(); then the first argument and `version:`.
std::optional<ManifestInfo> parseMesonBuildData(QByteArrayView bytes);

// Gradle: rootProject.name of the settings file; the build file's `version = "..."` or
// `version '...'` at the start of a line, else gradle.properties' `version`.
ManifestInfo parseGradleData(const std::optional<QByteArray>& settings, const std::optional<QByteArray>& build,
                             const std::optional<QByteArray>& properties);

// A .NET project file's <Version> (in a <PropertyGroup> of <Project>); empty counts as absent.
std::optional<QString> parseDotnetVersionData(QByteArrayView bytes);

// "pubspec.yaml": the top-level name and version; Flutter when it depends on `sdk: flutter`
// or has a top-level `flutter:` key.
ManifestInfo parsePubspecData(QByteArrayView bytes);

// A "*.gemspec": the quoted literals assigned to `<receiver>.name` and `<receiver>.version`.
ManifestInfo parseGemspecData(QByteArrayView bytes);
