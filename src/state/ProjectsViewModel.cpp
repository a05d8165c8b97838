#include "state/ProjectsViewModel.h"

#include "discovery/ProjectScanner.h"
#include "discovery/Utf8.h"
#include "state/LiveUpdates.h"
#include "state/ProjectListModel.h"
#include "state/ScanSession.h"
#include "state/WhenFinished.h"

#include <QPromise>
#include <algorithm>
#include <QUuid>

struct ProjectsViewModel::BuildResult {
    QList<CachedTreeNode> tree;
    CachedGraphData graph;
};

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
    m_fetcher = new ProjectFetcher(GitService::shared(), this);
    connect(m_fetcher, &ProjectFetcher::finished, this, &ProjectsViewModel::fetchFinished);
    m_live = new LiveUpdates(*this, scanner, this);
    connect(m_live, &LiveUpdates::liveStatesChanged, this, &ProjectsViewModel::liveStatesChanged);
    m_bulk = new BulkGitActions(GitService::shared(), this);
    connect(m_bulk, &BulkGitActions::finished, this, &ProjectsViewModel::bulkFinished);
    for (auto signal : {&ProjectsViewModel::projectsChanged, &ProjectsViewModel::filteredProjectsChanged,
                        &ProjectsViewModel::searchTextChanged, &ProjectsViewModel::selectedTypeFilterChanged,
                        &ProjectsViewModel::statusFilterChanged, &ProjectsViewModel::hideNestedChanged}) {
        connect(this, signal, this, &ProjectsViewModel::filterStateChanged);
    }
    setScanPath(loadSavedScanPath());
    loadListOrder();
    loadWindowState();
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
    saveFilterState();
    emit searchTextChanged();
    updateFiltered();
}

void ProjectsViewModel::setSelectedTypeFilter(std::optional<ProjectType> type) {
    if (m_typeFilter == type) return;
    m_typeFilter = type;
    saveFilterState();
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

void ProjectsViewModel::updateFiltered(const QList<qsizetype>& changed) {
    QList<qsizetype> rows = m_searchIndex.matchingRows(m_projects, m_searchText, m_typeFilter, m_statusFilter);
    if (m_hideNested) rows.removeIf([this](qsizetype row) { return isInsideRepository(m_projects.at(row)); });
    sortRows(rows, m_projects, m_sort);
    m_matchingIds.reset();
    bool differs = false;
    if (!changed.isEmpty() && std::ranges::equal(rows, m_filteredModel->rows())) {
        // Same rows: the records change in place, and the views keep their items.
        for (qsizetype index : changed) m_filteredModel->replaceSourceElement(m_projects, index);
        differs = true;
    } else {
        differs = m_filteredModel->setRows(m_projects, rows);
    }
    if (differs) {
        m_filteredList.reset();
        emit filteredProjectsChanged();
    }
    // The selection is always one of the projects shown.
    if (m_selected && !matchesFilters(m_selected->id.toString(QUuid::WithoutBraces))) setSelection(std::nullopt);
    else if (differs) emit selectedRowChanged();
}

const QList<Project>& ProjectsViewModel::filteredProjects() const {
    if (!m_filteredList) m_filteredList = m_filteredModel->projects();
    return *m_filteredList;
}

int ProjectsViewModel::filteredCount() const { return m_filteredModel->count(); }

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

bool ProjectsViewModel::matchesFilters(const QString& id) const {
    const QUuid uuid = QUuid::fromString(id);
    if (uuid.isNull()) return false;
    if (!m_matchingIds) {
        QSet<QUuid> ids;
        for (const Project& project : filteredProjects()) ids.insert(project.id);
        m_matchingIds = std::move(ids);
    }
    return m_matchingIds->contains(currentId(uuid));
}

QString ProjectsViewModel::matchSummary() const {
    if (!filterActive()) return QString();
    return QStringLiteral("%1 of %2 shown").arg(filteredCount()).arg(projectCount());
}

// Rebuild of the tree and graph data

void ProjectsViewModel::rebuildVisualizations(std::function<void()> done) {
    // The data show the projects under the root they were found in.
    const std::optional<QByteArray> root = m_shownRoot ? m_shownRoot : m_scanPath;
    if (!root) {
        if (done) done();
        return;
    }
    if (done) m_rebuildWaiters.append(std::move(done));
    const quint64 generation = ++m_rebuildGeneration;

    auto promise = std::make_shared<QPromise<BuildResult>>();
    QFuture<BuildResult> future = promise->future();
    promise->start();
    const quint64 revision = m_projectsRevision;
    m_buildPool.start([promise, projects = m_projects, rootPath = decodeUtf8KeepingBytes(*root)] {
        BuildResult result{buildTreeData(projects, rootPath), buildGraphData(projects, rootPath)};
        promise->addResult(std::move(result));
        promise->finish();
    });

    whenFinished(this, future, [this, generation, revision](const QFuture<BuildResult>& finished) {
        // A newer rebuild replaces this one and answers the waiters.
        if (generation != m_rebuildGeneration || finished.resultCount() == 0) return;
        const BuildResult& result = finished.result();
        m_treeData = CachedTreeData{result.tree, true};
        m_graphData = result.graph;
        // Records replaced while the build ran go in now; projects that came or went since
        // started a newer build.
        if (revision != m_projectsRevision) syncVisualizationRecords();
        m_appliedRebuild = generation;
        emit treeDataChanged();
        emit graphDataChanged();
        const QList<std::function<void()>> waiters = std::exchange(m_rebuildWaiters, {});
        for (const auto& waiter : waiters) waiter();
    });
}
