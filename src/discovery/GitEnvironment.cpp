#include "discovery/GitEnvironment.h"

#include "discovery/FileAccess.h"
#include "discovery/GitEnvironmentConfig.h"
#include "discovery/GitUserConfiguration.h"
#include "discovery/RepositoryConfig.h"

#include <QSet>

#include <cstdlib>

namespace gitenv {

namespace {


// Variables that make git use another repository, other files of it, or other paths.
const QSet<QByteArray>& removedVariables() {
    static const QSet<QByteArray> names = {
        "GIT_DIR", "GIT_WORK_TREE", "GIT_INDEX_FILE", "GIT_INDEX_VERSION", "GIT_OBJECT_DIRECTORY",
        "GIT_ALTERNATE_OBJECT_DIRECTORIES", "GIT_COMMON_DIR", "GIT_NAMESPACE", "GIT_CEILING_DIRECTORIES",
        "GIT_DISCOVERY_ACROSS_FILESYSTEM", "GIT_PREFIX", "GIT_IMPLICIT_WORK_TREE", "GIT_GRAFT_FILE",
        "GIT_SHALLOW_FILE", "GIT_REPLACE_REF_BASE", "GIT_NO_REPLACE_OBJECTS", "GIT_INTERNAL_SUPER_PREFIX",
        "GIT_QUARANTINE_PATH", "GIT_CONFIG", "GIT_OPTIONAL_LOCKS", "GIT_LITERAL_PATHSPECS",
        "GIT_GLOB_PATHSPECS", "GIT_NOGLOB_PATHSPECS", "GIT_ICASE_PATHSPECS", "GIT_EXTERNAL_DIFF",
        "GIT_PAGER", "GIT_TERMINAL_PROMPT",
    };
    return names;
}

// Keys every run gets, whatever any configuration says.
const ConfigPairs& forcedKeys() {
    static const ConfigPairs keys = {
        {"core.fsmonitor", "false"},
        {"core.hooksPath", "/dev/null"},
        {"log.showSignature", "false"},
        {"log.mailmap", "false"},
        {"core.pager", "cat"},
        {"diff.ignoreSubmodules", "all"},
        {"status.submoduleSummary", "false"},
        {"submodule.recurse", "false"},
        {"fetch.recurseSubmodules", "false"},
        {"protocol.ext.allow", "never"},
    };
    return keys;
}

// PATH without the entries that are relative to the working folder.
QByteArray absolutePathEntries(const QByteArray& path) {
    QList<QByteArray> kept;
    for (const QByteArray& entry : path.split(':')) {
        if (entry.startsWith('/')) kept.append(entry);
    }
    return kept.join(':');
}

QByteArray realFolder(const QByteArray& folder) {
    QByteArray out = folder;
    if (char* real = ::realpath(folder.constData(), nullptr)) {
        out = QByteArray(real);
        std::free(real);
    }
    while (out.size() > 1 && out.endsWith('/')) out.chop(1);
    return out;
}

QByteArray parentOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QList<QByteArray> gitmodulesNames(const QByteArray& folder) {
    const std::optional<QList<ConfigEntry>> entries = readGitmodules(folder);
    return entries ? subsectionsOf(*entries, "submodule") : QList<QByteArray>();
}

} // namespace

QList<QByteArray> baseEnvironment(const QList<QByteArray>& inherited) {
    const ConfigPairs inheritedConfig = configFromEnvironment(inherited);
    QList<QByteArray> env;
    env.reserve(inherited.size() + 2 * forcedKeys().size() + 4);
    QSet<QByteArray> seen;
    for (const QByteArray& entry : inherited) {
        if (!entry.contains('=')) continue;
        const QByteArray name = variableName(entry);
        // Only the first of repeated names counts, as for getenv.
        if (seen.contains(name) || removedVariables().contains(name) || isConfigVariable(name)) continue;
        seen.insert(name);
        if (name == "PATH") env.append("PATH=" + absolutePathEntries(entry.mid(5)));
        else env.append(entry);
    }
    env.append("GIT_OPTIONAL_LOCKS=0");
    env.append("GIT_PAGER=cat");
    setConfig(env, inheritedConfig + forcedKeys());
    return env;
}

QList<QByteArray> forRepository(const QList<QByteArray>& base, const QByteArray& folder) {
    QList<QByteArray> env = base;
    const QByteArray real = realFolder(folder);
    const QByteArray parent = parentOf(real);
    const LocatedRepository located = locateRepository(folder);
    if (located.location && located.location->bare) {
        // Named outright: git looks for no other repository, and safe.bareRepository=explicit
        // in the user's configuration still lets it read this one.
        setVariable(env, "GIT_DIR", real);
    } else if (parent.contains(':')) {
        // A ceiling list cannot hold this path; naming the git folder also stops discovery.
        setVariable(env, "GIT_DIR", fileaccess::join(real, ".git"));
    } else {
        setVariable(env, "GIT_CEILING_DIRECTORIES", parent);
    }
    setVariable(env, "GIT_TERMINAL_PROMPT", "0");
    // An object missing from a partial clone would make git fetch it, with the transport the
    // repository configures (its ssh command, its upload-pack): lazy fetching is off (git's own
    // switch, where git knows it) and, in any case, no transport is allowed.
    setVariable(env, "GIT_ALLOW_PROTOCOL", QByteArray());
    setVariable(env, "GIT_NO_LAZY_FETCH", "1");

    ConfigPairs overrides;
    const QByteArray home = variable(base, "HOME").value_or(QByteArray());
    QList<ConfigEntry> entries;
    QList<QByteArray> submodules;
    if (located.location) {
        entries = readRepositoryConfig(*located.location, home).entries;
        // A submodule's git runs with this environment too: its drivers are emptied as well.
        for (const ModuleFolder& module : moduleFolders(*located.location)) {
            submodules.append(module.name);
            entries += readConfigWithIncludes(fileaccess::join(module.gitDir, "config"), home).entries;
        }
    }
    const QList<QByteArray> filters = subsectionsOf(entries, "filter");
    // A driver of the same name in the user's own configuration (git-lfs, say) keeps its commands.
    const QList<ConfigEntry> user = filters.isEmpty() ? QList<ConfigEntry>() : userConfiguration(base);
    for (const QByteArray& name : filters) {
        const QByteArray prefix = "filter." + name;
        // Only the commands the repository sets are replaced: an empty "process" would also
        // switch off the user's "clean" and "smudge".
        for (const char* key : {".clean", ".smudge", ".process"}) {
            if (!definesName(entries, prefix + key)) continue;
            overrides.append({prefix + key, lastValue(user, prefix + key).value_or(QByteArray())});
        }
        overrides.append({prefix + ".required", lastValue(user, prefix + ".required").value_or("false")});
    }
    for (const QByteArray& name : subsectionsOf(entries, "submodule") + gitmodulesNames(folder)) {
        if (!submodules.contains(name)) submodules.append(name);
    }
    for (const QByteArray& name : submodules) overrides.append({"submodule." + name + ".ignore", "all"});
    appendConfig(env, overrides);
    return env;
}

} // namespace gitenv
