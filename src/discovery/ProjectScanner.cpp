#include "discovery/ProjectScanner.h"

#include "discovery/FileAccess.h"
#include "discovery/GitFolder.h"
#include "discovery/ManifestReaders.h"

#include <QCollator>
#include <QPromise>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>

// Which marker entries a folder holds.
struct ProjectScanner::Markers {
    bool packageJson = false;
    bool pomXml = false;
    bool setupPy = false;
    bool pyprojectToml = false;
    bool packageSwift = false;
    bool git = false;
};

namespace {

enum class Marker { none, packageJson, pomXml, setupPy, pyprojectToml, packageSwift, git };

Marker markerFor(const char* name) {
    switch (name[0]) {
    case 'p':
        if (std::strcmp(name, "package.json") == 0) return Marker::packageJson;
        if (std::strcmp(name, "pom.xml") == 0) return Marker::pomXml;
        if (std::strcmp(name, "pyproject.toml") == 0) return Marker::pyprojectToml;
        break;
    case 's':
        if (std::strcmp(name, "setup.py") == 0) return Marker::setupPy;
        break;
    case 'P':
        if (std::strcmp(name, "Package.swift") == 0) return Marker::packageSwift;
        break;
    case '.':
        if (std::strcmp(name, ".git") == 0) return Marker::git;
        break;
    default:
        break;
    }
    return Marker::none;
}

// The existence of a listed entry, following symbolic links like any existence test.
bool listedEntryExists(int dirFd, const dirent* entry) {
    if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) return true;
    struct stat st;
    return ::fstatat(dirFd, entry->d_name, &st, 0) == 0;
}

// The entry itself is a folder; symbolic links are not followed.
bool isDirectoryEntry(int dirFd, const dirent* entry) {
    if (entry->d_type == DT_DIR) return true;
    if (entry->d_type != DT_UNKNOWN) return false;
    struct stat st;
    return ::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
}

QByteArray toBytes(const std::string& s) { return QByteArray(s.data(), qsizetype(s.size())); }

} // namespace

ProjectScanner& ProjectScanner::shared() {
    // Never destroyed: a scan still running when the application quits must not hold up
    // its exit (the pool's destructor would wait for the walk to end).
    static ProjectScanner* const instance = new ProjectScanner(GitService::shared());
    return *instance;
}

const QSet<QByteArray>& ProjectScanner::skipDirectories() {
    static const QSet<QByteArray> names = {
        "node_modules", ".git", ".next", ".gradle", "build", "target", "dist",
        "Pods",         ".idea", ".vscode", "venv", "__pycache__", ".claude",
    };
    return names;
}

ProjectScanner::ProjectScanner(GitService& gitService) : m_git(gitService) {
    m_executor.setMaxThreadCount(1);
    m_executor.setExpiryTimeout(-1);
    m_executor.setObjectName(QStringLiteral("ProjectScanner"));
}

ProjectScanner::~ProjectScanner() { m_executor.waitForDone(); }

QFuture<QList<Project>> ProjectScanner::scanProjects(const QByteArray& root, int maxDepth) {
    auto promise = std::make_shared<QPromise<QList<Project>>>();
    QFuture<QList<Project>> future = promise->future();
    promise->start();
    m_executor.start([this, root, maxDepth, promise] {
        QList<Project> projects;
        scanDirectory(root, 0, maxDepth, projects);
        sortByName(projects);
        promise->addResult(std::move(projects));
        promise->finish();
    });
    return future;
}

void ProjectScanner::scanDirectory(const QByteArray& folder, int depth, int maxDepth, QList<Project>& projects) {
    std::string path(folder.constData(), size_t(folder.size()));
    walk(path, depth, maxDepth, gitfolder::enclosingRepository(folder), projects);
}

void ProjectScanner::walk(std::string& path, int depth, int maxDepth, const std::optional<QByteArray>& repository,
                          QList<Project>& projects) {
    if (depth > maxDepth) return;

    DIR* dir = ::opendir(path.c_str());
    if (!dir) {
        // The listing is denied or the folder is gone: the folder may still be a project.
        if (auto project = detectProject(toBytes(path))) projects.append(std::move(*project));
        return;
    }
    const int dirFd = ::dirfd(dir);

    // One listing answers the marker tests and yields the subfolders, in listing order.
    Markers markers;
    std::vector<std::string> subfolders;
    const bool descend = depth < maxDepth;
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.') {
            if (markerFor(name) == Marker::git) markers.git = listedEntryExists(dirFd, entry);
            continue;
        }
        switch (markerFor(name)) {
        case Marker::packageJson: markers.packageJson = listedEntryExists(dirFd, entry); break;
        case Marker::pomXml: markers.pomXml = listedEntryExists(dirFd, entry); break;
        case Marker::setupPy: markers.setupPy = listedEntryExists(dirFd, entry); break;
        case Marker::pyprojectToml: markers.pyprojectToml = listedEntryExists(dirFd, entry); break;
        case Marker::packageSwift: markers.packageSwift = listedEntryExists(dirFd, entry); break;
        default: break;
        }
        if (descend && isDirectoryEntry(dirFd, entry) &&
            !skipDirectories().contains(QByteArray::fromRawData(name, qsizetype(std::strlen(name))))) {
            subfolders.emplace_back(name);
        }
    }
    ::closedir(dir);

    if (auto project = detect(toBytes(path), markers, repository)) projects.append(std::move(*project));

    const std::optional<QByteArray> inner = markers.git ? std::optional(toBytes(path)) : repository;
    const size_t base = path.size();
    for (const std::string& name : subfolders) {
        if (path.empty() || path.back() != '/') path += '/';
        path += name;
        walk(path, depth + 1, maxDepth, inner, projects);
        path.resize(base);
    }
}

std::optional<Project> ProjectScanner::detectProject(const QByteArray& folder) {
    const auto has = [&](const char* name) { return fileaccess::exists(fileaccess::join(folder, name)); };
    Markers markers;
    markers.packageJson = has("package.json");
    markers.pomXml = has("pom.xml");
    markers.setupPy = has("setup.py");
    markers.pyprojectToml = has("pyproject.toml");
    markers.packageSwift = has("Package.swift");
    markers.git = m_git.isGitRepository(folder);
    return detect(folder, markers, gitfolder::enclosingRepository(folder));
}

std::optional<Project> ProjectScanner::detect(const QByteArray& folder, const Markers& markers,
                                              const std::optional<QByteArray>& repository) {
    const auto folderName = [&] { return QString::fromUtf8(fileaccess::lastComponent(folder)); };

    Project project;
    project.path = folder;
    std::optional<QString> manifestName;
    if (markers.packageJson) {
        const ManifestInfo info = parsePackageJSON(folder);
        project.type = info.isReactNative ? ProjectType::reactNative
                       : info.isNextJS    ? ProjectType::nextJS
                                          : ProjectType::nodeJS;
        manifestName = info.name;
        project.version = info.version;
    } else if (markers.pomXml) {
        const ManifestInfo info = parsePomXML(folder);
        project.type = ProjectType::java;
        manifestName = info.name;
        project.version = info.version;
    } else if (markers.setupPy || markers.pyprojectToml) {
        const ManifestInfo info = parsePythonProject(folder);
        project.type = ProjectType::python;
        manifestName = info.name;
        project.version = info.version;
    } else if (markers.packageSwift) {
        project.type = ProjectType::swift;
    } else {
        project.type = ProjectType::unknown;
        if (!markers.git) return std::nullopt;
    }
    project.name = manifestName ? *manifestName : folderName();
    project.hasGit = markers.git;

    if (project.hasGit) applyReading(project, m_git.readState(folder));
    else project.repository = repository;
    if (!project.lastModified) project.lastModified = modificationDate(folder);
    project.id = QUuid::createUuid();
    return project;
}

std::optional<QDateTime> ProjectScanner::modificationDate(const QByteArray& folder) {
    return fileaccess::modificationTime(folder);
}

void ProjectScanner::sortByName(QList<Project>& projects) {
    QCollator collator(QLocale::system());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(projects.begin(), projects.end(),
                     [&](const Project& a, const Project& b) { return collator.compare(a.name, b.name) < 0; });
}
