#pragma once

#include "discovery/ManifestInfo.h"

#include <QByteArray>

// Pure readers of a project folder's manifest. They never fail outward: a missing,
// unreadable or malformed file leaves the fields empty.

// "package.json": name, version, and React Native / Next.js dependencies.
ManifestInfo parsePackageJSON(const QByteArray& folder);
// "pom.xml": the first <artifactId> and the first <version> anywhere in the text.
ManifestInfo parsePomXML(const QByteArray& folder);
// "pyproject.toml", then "setup.py": the first quoted name = and version = values.
ManifestInfo parsePythonProject(const QByteArray& folder);
