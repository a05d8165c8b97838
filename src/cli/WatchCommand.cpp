#include "cli/WatchCommand.h"

#include "cli/ScanExitStatus.h"
#include "cli/ScanOptions.h"
#include "cli/TerminalText.h"
#include "discovery/ProjectScanner.h"
#include "discovery/RepositoryWatcher.h"
#include "discovery/WatchBudget.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QHash>
#include <QSocketNotifier>

#include <ostream>

#include <unistd.h>

bool sameProjectState(const Project& before, const Project& now) {
    Project same = now;
    same.id = before.id;
    if (same.remotes.size() == before.remotes.size()) {
        for (qsizetype i = 0; i < same.remotes.size(); ++i) same.remotes[i].id = before.remotes[i].id;
    }
    return same == before;
}

namespace {

// The projects as last printed, and what prints them again.
class Follower {
public:
    Follower(ProjectScanner& scanner, const ScanOptions& options, const WatchOutput& output)
        : m_scanner(scanner), m_options(options), m_output(output),
          m_watcher(scanner.gitService(), watchbudget::defaultBudget()) {
        QObject::connect(&m_watcher, &RepositoryWatcher::watchesUpdated, &m_watcher, [this] {
            if (!m_told && !m_watcher.planning()) tellWatching();
        });
        QObject::connect(&m_watcher, &RepositoryWatcher::repositoryChanged, &m_watcher,
                         [this](const QByteArray& key) { read(key, 0, false); });
        QObject::connect(&m_watcher, &RepositoryWatcher::folderChanged, &m_watcher, [this](const QByteArray& folder) {
            const int depth = folder == m_options.folder ? 0 : int(folder.mid(m_options.folder.size()).count('/'));
            if (watchplan::isWithin(folder, m_options.folder) && depth <= m_options.maxDepth)
                read(folder, m_options.maxDepth - depth, true);
        });
    }

    void start(const QList<Project>& projects) {
        for (const Project& p : projects) m_shown.insert(p.path, p);
        m_watcher.watch(m_options.folder, m_options.maxDepth, watchplan::byRecentChange(projects));
    }

    void print(const Project& p) {
        if (m_output.json) {
            m_output.out << projectJson(p) << "\n";
        } else {
            TableOptions table = m_output.table;
            table.heading = false;
            writeProjectTable({p}, m_output.out, table);
        }
        m_output.out.flush();
    }

private:
    // Scans `folder` to `depth`: a project (depth 0) or a folder of the root, whose projects
    // no longer found are gone when `subtree`.
    void read(const QByteArray& folder, int depth, bool subtree) {
        auto* watcher = new QFutureWatcher<QList<Project>>(&m_watcher);
        QObject::connect(watcher, &QFutureWatcherBase::finished, &m_watcher, [this, watcher, folder, subtree] {
            watcher->deleteLater();
            const QList<Project> found = watcher->future().resultCount() > 0 ? watcher->future().result() : QList<Project>();
            QList<QByteArray> foundPaths;
            QList<WatchTarget> added;
            for (const Project& p : found) {
                foundPaths.append(p.path);
                if (!m_shown.contains(p.path)) added.append(WatchTarget::of(p));
                show(p);
            }
            const QList<QByteArray> gone = subtree ? watchplan::goneUnder(folder, m_shown.keys(), foundPaths)
                                       : (found.isEmpty() && m_shown.contains(folder) ? QList<QByteArray>{folder} : QList<QByteArray>{});
            for (const QByteArray& path : gone) {
                m_shown.remove(path);
                printRemoved(path);
            }
            m_watcher.remove(gone);
            m_watcher.add(added);
        });
        watcher->setFuture(m_scanner.scanProjects(folder, depth, m_options.folder));
    }

    void show(Project p) {
        const auto it = m_shown.find(p.path);
        if (it != m_shown.end()) {
            if (sameProjectState(*it, p)) return;
            // The project keeps the id it was first printed with.
            p.id = it->id;
            *it = p;
        } else {
            m_shown.insert(p.path, p);
        }
        print(p);
    }

    // Once, when the watches are in place: from then on every change is printed.
    void tellWatching() {
        m_told = true;
        int live = 0;
        const QList<QByteArray> keys = m_watcher.keys();
        for (const QByteArray& key : keys) live += m_watcher.liveState(key) == RepositoryWatcher::Live::live;
        m_output.err << "codeorchardist-scan: watching " << live << " of " << keys.size() << " projects";
        if (live < keys.size()) m_output.err << " (the others are past the budget of " << m_watcher.budget() << " folder watches)";
        m_output.err << "\n" << std::flush;
    }

    void printRemoved(const QByteArray& path) {
        const QString text = QString::fromUtf8(path);
        if (m_output.json) m_output.out << "{\"removed\": " << jsonQuoted(text) << "}\n";
        else m_output.out << "removed " << terminaltext::scrubbed(text).toStdString() << "\n";
        m_output.out.flush();
    }

    ProjectScanner& m_scanner;
    const ScanOptions& m_options;
    const WatchOutput& m_output;
    RepositoryWatcher m_watcher;
    QHash<QByteArray, Project> m_shown;
    bool m_told = false;
};

} // namespace

int watchProjects(ProjectScanner& scanner, const ScanOptions& options, QList<Project> projects,
                  const WatchOutput& output, int wakeDescriptor) {
    Follower follower(scanner, options, output);
    if (output.json) {
        for (const Project& p : projects) follower.print(p);
    } else {
        writeProjectTable(projects, output.out, output.table);
        output.out.flush();
    }
    follower.start(projects);

    QEventLoop loop;
    QSocketNotifier wake(wakeDescriptor, QSocketNotifier::Read);
    QObject::connect(&wake, &QSocketNotifier::activated, &loop, [&loop, wakeDescriptor] {
        char drained[64];
        while (::read(wakeDescriptor, drained, sizeof drained) > 0) {}
        loop.quit();
    });
    loop.exec();
    return scanexit::kInterrupted;
}
