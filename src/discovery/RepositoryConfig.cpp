#include "discovery/RepositoryConfig.h"

#include "discovery/BareRepository.h"
#include "discovery/FileAccess.h"

#include <QFile>
#include <QSet>

#include <cerrno>
#include <pwd.h>
#include <sys/stat.h>

namespace {

constexpr qint64 kMaxConfigBytes = 1024 * 1024;
constexpr qint64 kMaxGitFileBytes = 64 * 1024;
constexpr int kMaxIncludeDepth = 10; // git's own limit
constexpr int kMaxFiles = 100;
constexpr qsizetype kMaxEntries = 20000; // across all included files

QByteArray parentOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) return QByteArrayLiteral(".");
    if (slash == 0) return QByteArrayLiteral("/");
    return path.left(slash);
}

QByteArray resolveAgainst(const QByteArray& base, const QByteArray& path) {
    return path.startsWith('/') ? path : fileaccess::join(base, path);
}

QByteArray withoutLineEnd(QByteArray text) {
    while (text.endsWith('\n') || text.endsWith('\r')) text.chop(1);
    return text;
}

// git's interpolation of "~/", "~user/" and "%(prefix)/"; nothing when it cannot be done.
std::optional<QByteArray> expandIncludePath(const QByteArray& path, const QByteArray& home) {
    if (path.startsWith("%(prefix)/")) return QByteArrayLiteral("/usr") + path.mid(9);
    if (!path.startsWith('~')) return path;
    const qsizetype slash = path.indexOf('/');
    const QByteArray user = path.mid(1, slash < 0 ? -1 : slash - 1);
    const QByteArray rest = slash < 0 ? QByteArray() : path.mid(slash);
    if (user.isEmpty()) {
        if (home.isEmpty()) return std::nullopt;
        return home + rest;
    }
    struct passwd entry;
    struct passwd* found = nullptr;
    char buffer[4096];
    if (::getpwnam_r(user.constData(), &entry, buffer, sizeof buffer, &found) != 0 || !found) return std::nullopt;
    return QByteArray(found->pw_dir) + rest;
}

class IncludeReader {
public:
    explicit IncludeReader(QByteArray home) : m_home(std::move(home)) {}

    ConfigRead result;

    // Appends the file's entries; false after a problem.
    bool read(const QByteArray& path, int depth) {
        struct stat st;
        if (::stat(path.constData(), &st) != 0) {
            if (errno == ENOENT || errno == ENOTDIR) return true;
            return fail(QStringLiteral("The configuration file “%1” cannot be read.").arg(displayPath(path)));
        }
        if (!S_ISREG(st.st_mode)) {
            return fail(QStringLiteral("The configuration file “%1” is not a regular file.").arg(displayPath(path)));
        }
        if (++m_files > kMaxFiles) return fail(QStringLiteral("The configuration includes too many files."));
        const std::optional<QByteArray> text = fileaccess::readRegularFile(path, kMaxConfigBytes);
        if (!text) {
            return fail(QStringLiteral("The configuration file “%1” cannot be read.").arg(displayPath(path)));
        }
        const std::optional<QList<ConfigEntry>> entries = parseGitConfig(*text);
        if (!entries) return fail(QStringLiteral("The configuration file “%1” is not valid.").arg(displayPath(path)));
        if (result.entries.size() + entries->size() > kMaxEntries) {
            return fail(QStringLiteral("The configuration holds too many entries."));
        }
        for (const ConfigEntry& entry : *entries) {
            result.entries.append(entry);
            if (!isInclude(entry)) continue;
            if (!entry.value) return fail(QStringLiteral("An include in “%1” names no file.").arg(displayPath(path)));
            const std::optional<QByteArray> expanded = expandIncludePath(*entry.value, m_home);
            if (!expanded) return fail(QStringLiteral("An include in “%1” cannot be followed.").arg(displayPath(path)));
            if (depth + 1 > kMaxIncludeDepth) {
                return fail(QStringLiteral("The configuration includes are nested too deeply (a loop?)."));
            }
            if (!read(resolveAgainst(parentOf(path), *expanded), depth + 1)) return false;
        }
        return true;
    }

private:
    static bool isInclude(const ConfigEntry& entry) {
        if (entry.key() != "path") return false;
        if (entry.name == "include.path") return true;
        return entry.section() == "includeif" && entry.hasSubsection();
    }

    bool fail(const QString& message) {
        result.problem = message;
        return false;
    }

    QByteArray m_home;
    int m_files = 0;
};

} // namespace

QString displayPath(const QByteArray& path) { return QFile::decodeName(path); }

LocatedRepository locateRepository(const QByteArray& folder) {
    LocatedRepository out;
    const QByteArray dotGit = fileaccess::join(folder, ".git");
    struct stat st;
    if (::stat(dotGit.constData(), &st) != 0) {
        if (errno != ENOENT && errno != ENOTDIR) out.problem = QStringLiteral("“.git” cannot be examined.");
        else if (barerepository::isBareAt(folder)) out.location = RepositoryLocation{folder, folder, true};
        return out;
    }
    QByteArray gitDir = dotGit;
    if (S_ISREG(st.st_mode)) {
        const std::optional<QByteArray> text = fileaccess::readRegularFile(dotGit, kMaxGitFileBytes);
        if (!text || !text->startsWith("gitdir: ")) {
            out.problem = QStringLiteral("The “.git” file does not name a git folder.");
            return out;
        }
        gitDir = resolveAgainst(folder, withoutLineEnd(text->mid(8)));
    } else if (!S_ISDIR(st.st_mode)) {
        out.problem = QStringLiteral("“.git” is neither a folder nor a regular file.");
        return out;
    }
    if (::stat(gitDir.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        out.problem = QStringLiteral("The git folder “%1” is not a folder.").arg(displayPath(gitDir));
        return out;
    }
    RepositoryLocation location{gitDir, gitDir};
    const QByteArray commonFile = fileaccess::join(gitDir, "commondir");
    if (::stat(commonFile.constData(), &st) == 0) {
        const std::optional<QByteArray> text = fileaccess::readRegularFile(commonFile, kMaxGitFileBytes);
        if (!text) {
            out.problem = QStringLiteral("The file “%1” cannot be read.").arg(displayPath(commonFile));
            return out;
        }
        location.commonDir = resolveAgainst(gitDir, withoutLineEnd(*text));
    }
    out.location = location;
    return out;
}

ConfigRead readConfigWithIncludes(const QByteArray& path, const QByteArray& home) {
    IncludeReader reader(home);
    reader.read(path, 0);
    return reader.result;
}

ConfigRead readRepositoryConfig(const RepositoryLocation& location, const QByteArray& home) {
    IncludeReader reader(home);
    if (reader.read(fileaccess::join(location.commonDir, "config"), 0)) {
        reader.read(fileaccess::join(location.gitDir, "config.worktree"), 0);
    }
    return reader.result;
}

std::optional<QList<ConfigEntry>> readGitmodules(const QByteArray& folder) {
    const QByteArray path = fileaccess::join(folder, ".gitmodules");
    struct stat st;
    if (::lstat(path.constData(), &st) != 0) return QList<ConfigEntry>();
    const std::optional<QByteArray> text = fileaccess::readRegularFile(path, kMaxConfigBytes);
    if (!text) return std::nullopt;
    return parseGitConfig(*text);
}

QList<QByteArray> subsectionsOf(const QList<ConfigEntry>& entries, const QByteArray& section) {
    QList<QByteArray> names;
    QSet<QByteArray> seen;
    for (const ConfigEntry& entry : entries) {
        if (!entry.hasSubsection() || entry.section() != section) continue;
        const QByteArray name = entry.subsection();
        if (seen.contains(name)) continue;
        seen.insert(name);
        names.append(name);
    }
    return names;
}

bool definesName(const QList<ConfigEntry>& entries, const QByteArray& name) {
    for (const ConfigEntry& entry : entries) {
        if (entry.name == name) return true;
    }
    return false;
}
