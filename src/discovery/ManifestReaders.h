#pragma once

#include "discovery/ManifestInfo.h"

#include <QByteArray>

// Pure readers of a project folder's manifest. They never fail outward: a missing,
// unreadable or malformed file leaves the fields empty.

// "package.json": name, version, and React Native / Next.js dependencies.
ManifestInfo parsePackageJSON(const QByteArray& folder);
// "pom.xml": the first <artifactId> and the first <version> anywhere in the text.
ManifestInfo parsePomXML(const QByteArray& folder);
// "pyproject.toml", then "setup.py": the first quoted name = and version = values whose key is
// a whole key (at the start of its line in TOML, not the end of a longer name in setup.py).
// A UTF-8 byte order mark at the start of any manifest is skipped.
ManifestInfo parsePythonProject(const QByteArray& folder);
