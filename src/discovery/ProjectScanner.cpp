#include "discovery/ProjectScanner.h"

#include "discovery/FileAccess.h"
#include "discovery/FolderHistory.h"
#include "discovery/FolderWalker.h"
#include "discovery/GitFolder.h"
#include "discovery/GitJobPool.h"
#include "discovery/ProjectKinds.h"
#include "discovery/BareRepository.h"

#include <QCollator>
#include <QPromise>

#include <algorithm>
#include <chrono>
#include <memory>

namespace {

// How often the walk publishes the folder it is in.
constexpr auto kFolderPublishInterval = std::chrono::milliseconds(50);


// The nearest repository folder around each folder of a pre-order walk: repositories the walk
// has entered stay on the stack while it is inside them.
class EnclosingRepositories {
public:
    explicit EnclosingRepositories(const QByteArray& root) {
        if (auto above = gitfolder::enclosingRepository(root)) m_stack.push_back(*above);
        m_outside = m_stack.size();
    }
    // The repository `visit` lies in (not counting its own ".git"); remembers it when it is one.
    std::optional<QByteArray> around(const FolderVisit& visit) {
        while (m_stack.size() > m_outside && !isInside(visit.path, m_stack.back())) m_stack.pop_back();
        std::optional<QByteArray> enclosing;
        if (!m_stack.empty()) enclosing = m_stack.back();
        if (visit.markers.has(Marker::git)) m_stack.push_back(visit.path);
        return enclosing;
    }

private:
    static bool isInside(const QByteArray& path, const QByteArray& folder) {
        return path.size() > folder.size() && path.startsWith(folder) &&
               (folder.endsWith('/') || path.at(folder.size()) == '/');
    }
    std::vector<QByteArray> m_stack;
    // The repository above the root (if any) is never left.
    size_t m_outside = 0;
};

} // namespace

ProjectScanner& ProjectScanner::shared() {
    // Never destroyed: the program ends its scans with shutdown() before it exits.
    static ProjectScanner* const instance = new ProjectScanner(GitService::shared());
    return *instance;
}

const QSet<QByteArray>& ProjectScanner::skipDirectories() {
    // Never destroyed, so that a walk still running at exit cannot find it gone.
    static const QSet<QByteArray>* const names = new QSet<QByteArray>{
        "node_modules", ".git", ".next", ".gradle", "build", "target", "dist",
        "Pods",         ".idea", ".vscode", "venv", "__pycache__", ".claude",
    };
    return *names;
}

ProjectScanner::ProjectScanner(GitService& gitService) : m_git(gitService) {
    m_executor.setMaxThreadCount(1);
    m_executor.setExpiryTimeout(-1);
    m_executor.setObjectName(QStringLiteral("ProjectScanner"));
}

ProjectScanner::~ProjectScanner() { shutdown(); }

void ProjectScanner::shutdown() {
    {
        std::lock_guard lock(m_activeMutex);
        m_closing = true;
        for (const std::weak_ptr<ScanControl>& weak : m_active) {
            if (const std::shared_ptr<ScanControl> control = weak.lock()) control->requestStop();
        }
    }
    m_executor.waitForDone();
}

void ProjectScanner::track(const std::shared_ptr<ScanControl>& control) {
    std::lock_guard lock(m_activeMutex);
    if (m_closing) control->requestStop();
    std::erase_if(m_active, [](const std::weak_ptr<ScanControl>& weak) { return weak.expired(); });
    m_active.push_back(control);
}

QFuture<QList<Project>> ProjectScanner::scanProjects(const QByteArray& root, int maxDepth, const QByteArray& within) {
    return startScan(ScanRequest{root, maxDepth, 0, nullptr, within}).then([](const ScanOutcome& outcome) {
        return outcome.projects;
    });
}

QFuture<ScanOutcome> ProjectScanner::startScan(ScanRequest request) {
    if (!request.control) request.control = std::make_shared<ScanControl>();
    track(request.control);
    auto promise = std::make_shared<QPromise<ScanOutcome>>();
    QFuture<ScanOutcome> future = promise->future();
    promise->start();
    m_executor.start([this, request = std::move(request), promise] {
        promise->addResult(run(request, *request.control));
        promise->finish();
    });
    return future;
}

ScanOutcome ProjectScanner::run(const ScanRequest& request, ScanControl& control) {
    if (control.stopRequested()) return {{}, true};
    const int jobs = request.jobs > 0 ? request.jobs : GitJobPool::defaultWorkers();
    std::unique_ptr<GitJobPool> pool = jobs > 1 ? std::make_unique<GitJobPool>(jobs) : nullptr;

    // Records in walk order. A repository's record is filled by one git job while the walk
    // goes on; the list only ever moves the pointers, never the records.
    std::vector<std::unique_ptr<Project>> records;
    auto lastPublished = std::chrono::steady_clock::time_point{};

    EnclosingRepositories repositories(request.root);
    const QByteArray& within = request.within.isEmpty() ? request.root : request.within;
    FolderWalker walker(control.stopFlag(), [&](const FolderVisit& visit) {
        control.folderVisited();
        const auto now = std::chrono::steady_clock::now();
        if (now - lastPublished >= kFolderPublishInterval) {
            control.setCurrentFolder(visit.path.constData(), size_t(visit.path.size()));
            lastPublished = now;
        }
        std::optional<Project> project = detect(visit, repositories.around(visit), within);
        if (!project) return;
        control.projectFound(project->hasGit);
        records.push_back(std::make_unique<Project>(std::move(*project)));
        Project* record = records.back().get();
        if (!record->hasGit && !record->repository) return;

        auto job = [this, record, &control] {
            if (!control.stopRequested()) {
                const GitService::StopScope scope(control.stopFlag());
                if (record->hasGit) readGitState(*record);
                else readFolderHistory(*record);
            }
            if (record->hasGit) control.repositoryRead();
        };
        if (pool) pool->post(std::move(job));
        else job();
    }, jobs > 1 ? 2 : 1);
    walker.walk(request.root, request.maxDepth);
    control.walkEnded();

    if (pool) {
        if (control.stopRequested()) pool->dropWaiting();
        pool->waitUntilIdle();
        pool.reset();
    }
    if (control.stopRequested()) return {{}, true};

    QList<Project> projects;
    projects.reserve(qsizetype(records.size()));
    for (std::unique_ptr<Project>& record : records) projects.append(std::move(*record));
    sortByName(projects);
    return {std::move(projects), false};
}

void ProjectScanner::scanDirectory(const QByteArray& folder, int depth, int maxDepth, QList<Project>& projects) {
    EnclosingRepositories repositories(folder);
    FolderWalker walker(nullptr, [&](const FolderVisit& visit) {
        std::optional<Project> project = detect(visit, repositories.around(visit), folder);
        if (!project) return;
        if (project->hasGit) readGitState(*project);
        else if (project->repository) readFolderHistory(*project);
        projects.append(std::move(*project));
    });
    walker.walk(folder, maxDepth - depth);
}

std::optional<Project> ProjectScanner::detectProject(const QByteArray& folder) {
    FolderVisit visit{folder, folder, FolderWalker::probeMarkers(folder), false};
    std::optional<Project> project = detect(visit, gitfolder::enclosingRepository(folder), folder);
    if (project && project->hasGit) readGitState(*project);
    else if (project && project->repository) readFolderHistory(*project);
    return project;
}

std::optional<Project> ProjectScanner::detect(const FolderVisit& visit, const std::optional<QByteArray>& repository,
                                              const QByteArray& within) {
    const FolderMarkers& markers = visit.markers;
    const bool repositoryHere = markers.has(Marker::git) || markers.bare;
    // Most folders hold no marker at all.
    if (!repositoryHere && !markers.any(projectkinds::markerMask())) return std::nullopt;
    const std::optional<KindReading> kind =
        projectkinds::read(ManifestFolder{visit.path, visit.accessPath, markers, within});
    if (!kind && !repositoryHere) return std::nullopt;

    Project project;
    project.path = visit.path;
    project.type = kind ? kind->type : ProjectType::unknown;
    if (kind) project.version = kind->version;
    if (kind && kind->name) {
        project.name = *kind->name;
    } else {
        const QByteArray folderName = fileaccess::lastComponent(visit.path);
        // A bare repository is named without its ".git" suffix.
        project.name = QString::fromUtf8(markers.bare ? barerepository::nameOf(folderName) : folderName);
    }
    project.hasGit = repositoryHere;
    if (!project.hasGit) project.repository = repository;
    // Stands for the last change until a repository's last commit replaces it.
    project.lastModified = modificationDate(visit.accessPath);
    project.id = QUuid::createUuid();
    return project;
}

void ProjectScanner::readGitState(Project& project) {
    const std::optional<QDateTime> folderTime = project.lastModified;
    applyReading(project, m_git.readState(project.path));
    // Before the first commit (or when git could not tell) the folder's own time stands.
    if (!project.lastModified) project.lastModified = folderTime;
}

void ProjectScanner::readFolderHistory(Project& project) {
    // The folder's own time stands only while git has no answer.
    if (const std::optional<QDateTime> touched = lastCommitTouching(m_git, *project.repository, project.path))
        project.lastModified = touched;
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
