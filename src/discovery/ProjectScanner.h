#pragma once

#include "discovery/GitService.h"
#include "model/Project.h"

#include <QByteArray>
#include <QFuture>
#include <QList>
#include <QSet>
#include <QThreadPool>
#include <optional>

// Walks a folder tree and turns the project folders it finds into `Project` values.
//
// The scanner is a serial service: `scanProjects` queues the work on the scanner's own
// thread, one call at a time, and returns a future the caller can continue on its own
// thread (QFuture::then with a context object) without blocking it.
class ProjectScanner {
public:
    static ProjectScanner& shared();

    // The folder names never entered, compared exactly.
    static const QSet<QByteArray>& skipDirectories();

    explicit ProjectScanner(GitService& gitService = GitService::shared());
    ~ProjectScanner();
    ProjectScanner(const ProjectScanner&) = delete;
    ProjectScanner& operator=(const ProjectScanner&) = delete;

    // Walks `root` (depth 0) down to `maxDepth` and yields the projects sorted by name,
    // case-insensitively in the user's locale; equal names keep the walk's order.
    QFuture<QList<Project>> scanProjects(const QByteArray& root, int maxDepth);

    // The walk itself, on the calling thread: appends the projects found in pre-order.
    void scanDirectory(const QByteArray& folder, int depth, int maxDepth, QList<Project>& projects);
    // Examines one folder without looking at its subfolders.
    std::optional<Project> detectProject(const QByteArray& folder);
    // The folder's own modification time.
    static std::optional<QDateTime> modificationDate(const QByteArray& folder);

    // Stable, locale-aware, case-insensitive sort by name.
    static void sortByName(QList<Project>& projects);

private:
    struct Markers;
    // `repository` is the nearest repository folder above `path`, if any.
    void walk(std::string& path, int depth, int maxDepth, const std::optional<QByteArray>& repository,
              QList<Project>& projects);
    std::optional<Project> detect(const QByteArray& folder, const Markers& markers,
                                  const std::optional<QByteArray>& repository);

    GitService& m_git;
    QThreadPool m_executor;
};
