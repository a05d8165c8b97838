#include "state/ProjectFetcher.h"

#include "discovery/FetchQueue.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>

ProjectFetcher::ProjectFetcher(GitService& git, QObject* parent) : QObject(parent), m_git(git) {
    m_pool.setMaxThreadCount(1);
    m_pool.setObjectName(QStringLiteral("ProjectFetcher"));
    // Quitting kills the running fetches at once, not when the window has been torn down.
    if (QCoreApplication* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &ProjectFetcher::cancel);
}

void ProjectFetcher::cancel() {
    m_cancel->store(true);
    // The batch keeps the flag it was started with; a later batch gets a fresh one.
    m_cancel = std::make_shared<std::atomic<bool>>(false);
}

ProjectFetcher::~ProjectFetcher() {
    // Running fetches are killed rather than waited for.
    cancel();
    m_pool.waitForDone();
}

QString ProjectFetcher::progressText() const {
    if (!m_fetching) return {};
    return QStringLiteral("Fetching %1 of %2").arg(m_done).arg(m_total);
}

QList<Project> ProjectFetcher::fetchable(const QList<Project>& projects) {
    QList<Project> out;
    for (const Project& p : projects) {
        if (p.hasGit && p.git && p.git->problem == GitProblem::none && !p.remotes.isEmpty()) out.append(p);
    }
    return out;
}

bool ProjectFetcher::start(const QList<Project>& projects) {
    if (m_fetching) return false;
    const QList<Project> batch = fetchable(projects);
    if (batch.isEmpty()) return false;
    m_fetching = true;
    m_done = 0;
    m_total = int(batch.size());
    emit stateChanged();

    QList<QByteArray> folders;
    for (const Project& p : batch) folders.append(p.path);
    QPointer<ProjectFetcher> self(this);
    m_pool.start([self, git = &m_git, cancel = m_cancel, batch, folders] {
        const QList<FetchResult> results = fetchAll(*git, folders, kParallelFetches, [self](int done, int total) {
            QMetaObject::invokeMethod(
                self, [self, done, total] { if (self) self->progress(done, total); }, Qt::QueuedConnection);
        }, cancel.get());
        QMetaObject::invokeMethod(
            self, [self, batch, results] { if (self) self->complete(batch, results); }, Qt::QueuedConnection);
    });
    return true;
}

void ProjectFetcher::progress(int done, int total) {
    // Reports from several workers may arrive out of order.
    if (!m_fetching || done <= m_done) return;
    m_done = done;
    m_total = total;
    emit stateChanged();
}

void ProjectFetcher::complete(const QList<Project>& projects, const QList<FetchResult>& results) {
    m_failures.clear();
    m_results = results;
    for (qsizetype i = 0; i < results.size() && i < projects.size(); ++i) {
        if (results[i].succeeded()) continue;
        QString line = projects[i].name + QStringLiteral(": ") + gitProblemText(results[i].problem);
        if (!results[i].detail.isEmpty()) line += QStringLiteral(" (") + results[i].detail + QLatin1Char(')');
        m_failures.append(line);
    }
    m_fetching = false;
    m_done = m_total;
    emit stateChanged();
    emit finished(projects);
}
