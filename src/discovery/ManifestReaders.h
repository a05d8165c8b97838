#pragma once

#include "discovery/ManifestInfo.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// Pure readers of a project folder's manifest. They never fail outward: a missing,
// unreadable or malformed file leaves the fields empty. A UTF-8 byte order mark at the start
// of any manifest is skipped.

// "package.json": name, version, and React Native / Next.js dependencies.
ManifestInfo parsePackageJSON(const QByteArray& folder);
// "pom.xml": the first <artifactId> and the first <version> anywhere in the text.
ManifestInfo parsePomXML(const QByteArray& folder);
// "pyproject.toml", then "setup.py": the first quoted name = and version = values whose key is
// a whole key (at the start of its line in TOML, not the end of a longer name in setup.py).
ManifestInfo parsePythonProject(const QByteArray& folder);

// The same readers on a file's content, as read from disk.
ManifestInfo parsePackageJSONData(QByteArrayView bytes);
ManifestInfo parsePomXMLData(QByteArrayView bytes);
// "setup.py" counts only when "pyproject.toml" is absent or yields neither field.
ManifestInfo parsePythonProjectData(const std::optional<QByteArray>& pyprojectToml,
                                    const std::optional<QByteArray>& setupPy);
