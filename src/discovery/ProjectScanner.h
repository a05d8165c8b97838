#pragma once

#include "discovery/GitService.h"
#include "discovery/ScanControl.h"
#include "model/Project.h"

#include <QByteArray>
#include <QFuture>
#include <QList>
#include <QSet>
#include <QThreadPool>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

struct FolderVisit;

// One scan: the folder, how deep, how many git processes may run side by side, and the
// control through which it is stopped and its progress read.
struct ScanRequest {
    QByteArray root;
    int maxDepth = 10;
    // 1 reads each repository on the walk's own thread as soon as it is found; more run that
    // many git processes beside the walk, which then takes a helper thread too; 0 or less
    // means GitJobPool::defaultWorkers().
    int jobs = 0;
    std::shared_ptr<ScanControl> control; // made by the scanner when empty
    // The folder whose manifests a project's reader may consult above the project (a Cargo
    // workspace's version); empty: `root`. A refresh of one project passes the scan's root.
    QByteArray within = {};
};

struct ScanOutcome {
    QList<Project> projects; // empty when stopped
    bool stopped = false;
};

// Walks a folder tree and turns the project folders it finds into `Project` values.
//
// Scans run one after another on the scanner's own thread; within a scan the git state of
// different repositories is read in parallel while the walk goes on, and the result is the
// same whatever the timing: the walk's pre-order, then the stable sort by name.
class ProjectScanner {
public:
    static ProjectScanner& shared();

    // The folder names never entered, compared exactly.
    static const QSet<QByteArray>& skipDirectories();

    explicit ProjectScanner(GitService& gitService = GitService::shared());
    // Stops the scans that are running or waiting and waits for them to end.
    ~ProjectScanner();
    ProjectScanner(const ProjectScanner&) = delete;
    ProjectScanner& operator=(const ProjectScanner&) = delete;

    // Walks `root` (depth 0) down to `maxDepth` and yields the projects sorted by name,
    // case-insensitively in the user's locale; equal names keep the walk's order.
    // `within` as in ScanRequest.
    QFuture<QList<Project>> scanProjects(const QByteArray& root, int maxDepth, const QByteArray& within = {});
    // The same with a choice of workers and a control; a stopped scan yields no projects.
    QFuture<ScanOutcome> startScan(ScanRequest request);

    // The git service the scans read repositories with.
    GitService& gitService() const { return m_git; }

    // Stops every scan, running or waiting, and every later one, and waits until none runs.
    // For the end of the program: nothing of the scanner's runs once it returns.
    void shutdown();

    // The walk itself, on the calling thread: appends the projects found in pre-order.
    void scanDirectory(const QByteArray& folder, int depth, int maxDepth, QList<Project>& projects);
    // Examines one folder without looking at its subfolders.
    std::optional<Project> detectProject(const QByteArray& folder);
    // The folder's own modification time.
    static std::optional<QDateTime> modificationDate(const QByteArray& folder);

    // Stable, locale-aware, case-insensitive sort by name.
    static void sortByName(QList<Project>& projects);

private:
    ScanOutcome run(const ScanRequest& request, ScanControl& control);
    // The project record of a visited folder without its git state.
    // `repository` is the nearest repository folder around the visited one, if any.
    std::optional<Project> detect(const FolderVisit& visit, const std::optional<QByteArray>& repository,
                                  const QByteArray& within);
    // Fills the git fields of a repository's record, in the order git is always asked.
    void readGitState(Project& project);
    // The last change of a project inside another repository's work tree: the last commit
    // that touched its folder.
    void readFolderHistory(Project& project);
    void track(const std::shared_ptr<ScanControl>& control);

    GitService& m_git;
    QThreadPool m_executor;
    std::mutex m_activeMutex;
    std::vector<std::weak_ptr<ScanControl>> m_active;
    bool m_closing = false;
};
