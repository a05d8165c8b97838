#include "state/ProjectsViewModel.h"

#include "discovery/ProjectScanner.h"
#include "state/FolderBookmark.h"
#include "state/FolderUrl.h"
#include "state/ProjectListModel.h"
#include "state/ScanSession.h"

#include <QFutureWatcher>
#include <QPromise>
#include <QUuid>

namespace {

const QString kScanningMessage = QStringLiteral("Scanning directories...");
const QString kBuildingMessage = QStringLiteral("Building visualizations...");
constexpr int kFullScanDepth = 10;

// Runs `done(future)` on `owner`'s thread once `future` has finished. Nothing runs when the
// owner is destroyed first.
template <typename T, typename F>
void whenFinished(QObject* owner, const QFuture<T>& future, F done) {
    auto* watcher = new QFutureWatcher<T>(owner);
    QObject::connect(watcher, &QFutureWatcherBase::finished, owner, [watcher, done = std::move(done)]() mutable {
        done(watcher->future());
        watcher->deleteLater();
    });
    watcher->setFuture(future);
}

QUuid parseId(const QString& id) {
    return QUuid::fromString(id);
}

} // namespace

struct ProjectsViewModel::BuildResult {
    QList<CachedTreeNode> tree;
    CachedGraphData graph;
};

QString ProjectsViewModel::scanPathKey() { return QStringLiteral("Codeorchardist.ScanPath"); }

QString ProjectsViewModel::scanPathFallbackKey() { return scanPathKey() + QStringLiteral(".path"); }

ProjectsViewModel::ProjectsViewModel(ProjectScanner& scanner, std::shared_ptr<QSettings> settings,
                                     PlatformServices services, QObject* parent)
    : QObject(parent),
      m_scanner(scanner),
      m_settings(std::move(settings)),
      m_services(std::move(services)),
      m_filteredModel(new ProjectListModel(this)),
      m_scanSession(new ScanSession(scanner, this)),
      m_loadingMessage(QStringLiteral("Scanning projects...")) {
    m_buildPool.setMaxThreadCount(1);
    m_buildPool.setObjectName(QStringLiteral("VisualizationBuilds"));
    setScanPath(loadSavedScanPath());
}

ProjectsViewModel::~ProjectsViewModel() { m_buildPool.waitForDone(); }

// Loading state

void ProjectsViewModel::setLoading(bool loading) {
    if (m_isLoading == loading) return;
    m_isLoading = loading;
    emit isLoadingChanged();
}

void ProjectsViewModel::setLoadingMessage(const QString& message) {
    if (m_loadingMessage == message) return;
    m_loadingMessage = message;
    emit loadingMessageChanged();
}

// Search and kind filter

void ProjectsViewModel::setSearchText(const QString& text) {
    if (m_searchText == text) return;
    m_searchText = text;
    emit searchTextChanged();
    updateFiltered();
}

void ProjectsViewModel::setSelectedTypeFilter(std::optional<ProjectType> type) {
    if (m_typeFilter == type) return;
    m_typeFilter = type;
    emit selectedTypeFilterChanged();
    updateFiltered();
}

QString ProjectsViewModel::selectedTypeFilterText() const {
    return m_typeFilter ? projecttype::rawValue(*m_typeFilter) : QString();
}

void ProjectsViewModel::setSelectedTypeFilterText(const QString& raw) {
    if (raw.isEmpty()) {
        setSelectedTypeFilter(std::nullopt);
        return;
    }
    if (const std::optional<ProjectType> type = projecttype::fromRawValue(raw)) setSelectedTypeFilter(type);
}

void ProjectsViewModel::updateFiltered() {
    const QList<qsizetype> rows = m_searchIndex.matchingRows(m_projects, m_searchText, m_typeFilter);
    if (!m_filteredModel->setRows(m_projects, rows)) return;
    m_filteredList.reset();
    emit filteredProjectsChanged();
}

const QList<Project>& ProjectsViewModel::filteredProjects() const {
    if (!m_filteredList) m_filteredList = m_filteredModel->projects();
    return *m_filteredList;
}

int ProjectsViewModel::filteredCount() const { return m_filteredModel->count(); }

// Root folder

QString ProjectsViewModel::scanPathText() const { return m_scanPath ? QString::fromUtf8(*m_scanPath) : QString(); }

QUrl ProjectsViewModel::scanPathUrl() const { return m_scanPath ? folderUrl(*m_scanPath) : QUrl(); }

void ProjectsViewModel::setScanPath(const std::optional<QByteArray>& folder) {
    const bool changed = m_scanPath != folder;
    m_scanPath = folder;
    if (changed) emit scanPathChanged();
    if (folder) saveScanPath(*folder);
}

void ProjectsViewModel::saveScanPath(const QByteArray& folder) {
    if (!m_settings) return;
    if (const std::optional<QByteArray> bookmark = folderbookmark::create(folder)) {
        m_settings->setValue(scanPathKey(), *bookmark);
        // The path of an earlier folder must not come back when this bookmark stops resolving.
        m_settings->remove(scanPathFallbackKey());
    } else {
        m_settings->setValue(scanPathFallbackKey(), QString::fromUtf8(folder));
        // Keeping an earlier folder's bookmark would restore that folder instead of this one.
        m_settings->remove(scanPathKey());
    }
    m_settings->sync();
}

std::optional<QByteArray> ProjectsViewModel::loadSavedScanPath() {
    if (!m_settings) return std::nullopt;
    const QVariant bookmark = m_settings->value(scanPathKey());
    if (bookmark.typeId() == QMetaType::QByteArray) {
        if (const auto resolved = folderbookmark::resolve(bookmark.toByteArray())) {
            if (resolved->isStale) saveScanPath(resolved->path);
            return resolved->path;
        }
    }
    const QVariant path = m_settings->value(scanPathFallbackKey());
    if (path.typeId() != QMetaType::QString) return std::nullopt;
    return localFolderPath(QUrl::fromLocalFile(path.toString()));
}

// Derived values

int ProjectsViewModel::modifiedCount() const { return countModified(m_projects); }

QList<TypeCount> ProjectsViewModel::typeCounts() const { return countTypes(m_projects); }

QVariantList ProjectsViewModel::typeCountsList() const {
    QVariantList list;
    for (const TypeCount& entry : typeCounts()) {
        list.append(QVariantMap{
            {QStringLiteral("type"), projecttype::rawValue(entry.type)},
            {QStringLiteral("count"), entry.count},
            {QStringLiteral("icon"), projecttype::icon(entry.type)},
            {QStringLiteral("color"), projecttype::color(entry.type)},
        });
    }
    return list;
}

QAbstractItemModel* ProjectsViewModel::filteredModel() const { return m_filteredModel; }

// Selection

std::optional<Project> ProjectsViewModel::findProject(const QString& id) const {
    const QUuid uuid = parseId(id);
    if (uuid.isNull()) return std::nullopt;
    for (const Project& project : m_projects) {
        if (project.id == uuid) return project;
    }
    if (m_selected && m_selected->id == uuid) return m_selected;
    return std::nullopt;
}

void ProjectsViewModel::setSelection(const std::optional<Project>& project) {
    if (m_selected == project) return;
    m_selected = project;
    emit selectedProjectChanged();
}

QVariantMap ProjectsViewModel::selectedProject() const {
    return m_selected ? projectToVariantMap(*m_selected) : QVariantMap();
}

QString ProjectsViewModel::selectedProjectId() const {
    return m_selected ? m_selected->id.toString(QUuid::WithoutBraces) : QString();
}

void ProjectsViewModel::selectProject(const QString& id) {
    if (id.isEmpty()) {
        setSelection(std::nullopt);
        return;
    }
    if (const std::optional<Project> project = findProject(id)) setSelection(project);
}

QVariantMap ProjectsViewModel::projectById(const QString& id) const {
    const std::optional<Project> project = findProject(id);
    return project ? projectToVariantMap(*project) : QVariantMap();
}

// Full scan and rebuild

void ProjectsViewModel::scanProjects() {
    if (!m_scanPath) return;
    const quint64 generation = ++m_scanGeneration;
    setLoading(true);
    setLoadingMessage(kScanningMessage);
    m_scanSession->start(*m_scanPath, kFullScanDepth, [this, generation](std::optional<QList<Project>> projects) {
        if (projects) {
            applyScanResult(generation, std::move(*projects));
        } else if (generation == m_scanGeneration) {
            // Stopped: everything stays as it was before the scan.
            setLoading(false);
            emit scanFinished();
        }
    });
}

void ProjectsViewModel::stopScan() { m_scanSession->stop(); }

void ProjectsViewModel::applyScanResult(quint64 generation, QList<Project> projects) {
    // A newer scan has started since: its result, not this one, is what the user asked for.
    if (generation != m_scanGeneration) return;

    m_projects = std::move(projects);
    m_searchIndex.reset(m_projects);
    emit projectsChanged();
    updateFiltered();

    m_lastScanDate = QDateTime::currentDateTime();
    emit lastScanDateChanged();

    // The selection follows its folder to the new record, or moves to the first project when
    // its folder is not part of this scan.
    std::optional<Project> selection;
    if (m_selected) {
        for (const Project& project : m_projects) {
            if (project.path == m_selected->path) {
                selection = project;
                break;
            }
        }
    }
    if (!selection && !m_projects.isEmpty()) selection = m_projects.first();
    setSelection(selection);

    setLoadingMessage(kBuildingMessage);
    rebuildVisualizations([this, generation] {
        if (generation != m_scanGeneration) return;
        setLoading(false);
        emit scanFinished();
    });
}

void ProjectsViewModel::rebuildVisualizations(std::function<void()> done) {
    if (!m_scanPath) {
        if (done) done();
        return;
    }
    if (done) m_rebuildWaiters.append(std::move(done));
    const quint64 generation = ++m_rebuildGeneration;

    auto promise = std::make_shared<QPromise<BuildResult>>();
    QFuture<BuildResult> future = promise->future();
    promise->start();
    m_buildPool.start([promise, projects = m_projects, rootPath = scanPathText()] {
        BuildResult result{buildTreeData(projects, rootPath), buildGraphData(projects, rootPath)};
        promise->addResult(std::move(result));
        promise->finish();
    });

    whenFinished(this, future, [this, generation](const QFuture<BuildResult>& finished) {
        // A newer rebuild replaces this one and answers the waiters.
        if (generation != m_rebuildGeneration || finished.resultCount() == 0) return;
        const BuildResult& result = finished.result();
        m_treeData = CachedTreeData{result.tree, true};
        emit treeDataChanged();
        m_graphData = result.graph;
        emit graphDataChanged();
        const QList<std::function<void()>> waiters = std::exchange(m_rebuildWaiters, {});
        for (const auto& waiter : waiters) waiter();
    });
}

// Project actions

void ProjectsViewModel::selectFolder() { emit folderDialogRequested(); }

void ProjectsViewModel::chooseFolder(const QUrl& folder) {
    const std::optional<QByteArray> path = localFolderPath(folder);
    if (!path) return;
    setScanPath(path);
    scanProjects();
}

void ProjectsViewModel::refreshProject(const QString& id) {
    const std::optional<Project> project = findProject(id);
    if (!project) {
        emit refreshFinished(id);
        return;
    }
    refreshProject(*project);
}

void ProjectsViewModel::refreshProject(const Project& project) {
    whenFinished(this, m_scanner.scanProjects(project.path, 0), [this, project](const QFuture<QList<Project>>& future) {
        applyRefreshResult(project, future.resultCount() > 0 ? future.result() : QList<Project>());
    });
}

void ProjectsViewModel::applyRefreshResult(const Project& old, const QList<Project>& found) {
    const QString oldId = old.id.toString(QUuid::WithoutBraces);
    if (found.isEmpty()) {
        emit refreshFinished(oldId);
        return;
    }
    const Project& updated = found.first();

    const qsizetype index = [&] {
        for (qsizetype i = 0; i < m_projects.size(); ++i) {
            if (m_projects.at(i).id == old.id) return i;
        }
        return qsizetype(-1);
    }();
    if (index >= 0) {
        m_projects[index] = updated;
        m_searchIndex.replace(index, updated);
        emit projectsChanged();

        const QList<qsizetype> rows = m_searchIndex.matchingRows(m_projects, m_searchText, m_typeFilter);
        if (rows == m_filteredModel->rows() && rows.contains(index)) {
            // Same rows: the record changes in place.
            m_filteredModel->replaceSourceElement(m_projects, index);
            m_filteredList.reset();
            emit filteredProjectsChanged();
        } else {
            updateFiltered();
        }
    }
    if (m_selected && m_selected->id == old.id) setSelection(updated);
    emit refreshFinished(oldId);
}

void ProjectsViewModel::openInFinder(const QString& id) {
    const std::optional<Project> project = findProject(id);
    if (!project || !m_services.fileManager) return;
    m_services.fileManager->openFolder(folderUrl(project->path));
}

void ProjectsViewModel::openInTerminal(const QString& id) {
    const std::optional<Project> project = findProject(id);
    if (!project || !m_services.terminal) return;
    m_services.terminal->openTerminal(project->path);
}

void ProjectsViewModel::copyRemoteURL(const QString& url) {
    if (!m_services.clipboard) return;
    m_services.clipboard->clear();
    m_services.clipboard->setPlainText(url);
}
