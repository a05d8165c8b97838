#pragma once

#include "discovery/RepositoryConfigParser.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// Where a project folder's repository keeps its files, found without running git.
struct RepositoryLocation {
    QByteArray gitDir;    // the folder of this working tree's HEAD and index
    QByteArray commonDir; // the folder of the shared config, objects and refs
    bool bare = false;    // the folder itself is a bare repository (gitDir and commonDir are it)
};

struct LocatedRepository {
    std::optional<RepositoryLocation> location; // none when there is no usable ".git"
    std::optional<QString> problem;             // why the ".git" entry cannot be used
};

// Follows "<folder>/.git": a folder, or a file holding "gitdir: <path>"; then the git folder's
// "commondir" file, when there is one. A folder without ".git" that is a bare repository is its
// own git folder; any other folder without ".git" gives neither location nor problem.
LocatedRepository locateRepository(const QByteArray& folder);

struct ConfigRead {
    QList<ConfigEntry> entries; // in git's reading order, included files in place
    std::optional<QString> problem;
};

// Reads a configuration file and every file it includes (include.path and every
// includeIf.<condition>.path, whatever the condition: this lists what git may read). Relative
// include paths are taken from the including file's folder, "~/" from `home`. A missing file
// reads as empty; a file that is not a regular file, too large, unreadable or not valid, and
// includes nested deeper than git allows, are problems.
ConfigRead readConfigWithIncludes(const QByteArray& path, const QByteArray& home);

// The repository's own configuration: the common folder's "config", then this working tree's
// "config.worktree".
ConfigRead readRepositoryConfig(const RepositoryLocation& location, const QByteArray& home);

// The entries of the working tree's ".gitmodules": empty when there is none, nothing when it is
// not a regular file, too large or not valid.
std::optional<QList<ConfigEntry>> readGitmodules(const QByteArray& folder);

// The distinct subsections of `section` (lower case) in order of appearance, for example
// the filter driver names of "filter".
QList<QByteArray> subsectionsOf(const QList<ConfigEntry>& entries, const QByteArray& section);

// Whether an entry named `name` (canonical, for example "core.sshcommand") appears.
bool definesName(const QList<ConfigEntry>& entries, const QByteArray& name);

// A submodule's git folder kept below the common folder ("modules/<name>", nested ones below
// "modules/<name>/modules/"), found by walking the folders without following links.
struct ModuleFolder {
    QByteArray name;
    QByteArray gitDir;
};
QList<ModuleFolder> moduleFolders(const RepositoryLocation& location);

// Text for a path in a message.
QString displayPath(const QByteArray& path);
