#pragma once

#include "model/Project.h"
#include "state/GraphData.h"
#include "state/BulkGitActions.h"
#include "state/PlatformServices.h"
#include "state/ProjectFetcher.h"
#include "state/ProjectFilter.h"
#include "state/ProjectSort.h"
#include "state/ScanSession.h"
#include "state/TreeData.h"

#include <QAbstractItemModel>
#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QUuid>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QSettings>
#include <QString>
#include <QThreadPool>
#include <QUrl>
#include <QVariantList>
#include <QVariantMap>
#include <functional>
#include <memory>
#include <optional>

class LiveUpdates;
class ProjectListModel;
class ProjectScanner;
class ResultsCache;

// The application's state: the scanned projects, the selection, the search text and kind
// filter, the loading state, the root folder (persisted in the settings) and the tree and graph
// data the visualizations draw. Lives on the main thread; the folder walk runs on the scanner's
// thread and the tree and graph builds on a worker thread, and their results are applied here.
class ProjectsViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isLoading READ isLoading NOTIFY isLoadingChanged)
    Q_PROPERTY(QString loadingMessage READ loadingMessage NOTIFY loadingMessageChanged)
    Q_PROPERTY(QString searchText READ searchText WRITE setSearchText NOTIFY searchTextChanged)
    Q_PROPERTY(QString selectedTypeFilter READ selectedTypeFilterText WRITE setSelectedTypeFilterText
                   NOTIFY selectedTypeFilterChanged)
    Q_PROPERTY(QDateTime lastScanDate READ lastScanDate NOTIFY lastScanDateChanged)
    Q_PROPERTY(QString scanPath READ scanPathText NOTIFY scanPathChanged)
    Q_PROPERTY(bool hasScanPath READ hasScanPath NOTIFY scanPathChanged)
    Q_PROPERTY(QString settingsMessage READ settingsMessage NOTIFY settingsMessageChanged)
    Q_PROPERTY(int projectCount READ projectCount NOTIFY projectsChanged)
    Q_PROPERTY(int filteredCount READ filteredCount NOTIFY filteredProjectsChanged)
    Q_PROPERTY(int modifiedCount READ modifiedCount NOTIFY projectsChanged)
    Q_PROPERTY(QVariantList typeCounts READ typeCountsList NOTIFY projectsChanged)
    Q_PROPERTY(QAbstractItemModel* filteredModel READ filteredModel CONSTANT)
    Q_PROPERTY(QVariantMap selectedProject READ selectedProject NOTIFY selectedProjectChanged)
    Q_PROPERTY(QString selectedProjectId READ selectedProjectId NOTIFY selectedProjectChanged)
    Q_PROPERTY(bool treeReady READ treeReady NOTIFY treeDataChanged)
    Q_PROPERTY(bool graphReady READ graphReady NOTIFY graphDataChanged)
    // "", "attention" or "modified": narrows the List and Cards like the search does.
    Q_PROPERTY(QString statusFilter READ statusFilterText WRITE setStatusFilterText NOTIFY statusFilterChanged)
    Q_PROPERTY(int attentionCount READ attentionCount NOTIFY projectsChanged)
    Q_PROPERTY(ProjectFetcher* fetcher READ fetcher CONSTANT)
    Q_PROPERTY(bool filterActive READ filterActive NOTIFY filterStateChanged)
    Q_PROPERTY(QString matchSummary READ matchSummary NOTIFY filterStateChanged)
    Q_PROPERTY(QString missingFolder READ missingFolder NOTIFY missingFolderChanged)
    Q_PROPERTY(ScanSession* scanSession READ scanSession CONSTANT)
    // The selection's row in filteredModel, -1 without a selection.
    Q_PROPERTY(int selectedRow READ selectedRow NOTIFY selectedRowChanged)
    // What the window says about the results shown after a stopped scan; "" otherwise.
    Q_PROPERTY(QString scanNotice READ scanNotice NOTIFY scanNoticeChanged)
    // The order of the List and the Cards: a ProjectSort key ("name", "attention", ...), kept in
    // the settings.
    Q_PROPERTY(QString sortOrder READ sortOrderText WRITE setSortOrderText NOTIFY sortOrderChanged)
    Q_PROPERTY(QString sortOrderTitle READ sortOrderTitle NOTIFY sortOrderChanged)
    // [{key, title}] of every order, for the sort menu.
    Q_PROPERTY(QVariantList sortOrders READ sortOrders CONSTANT)
    // Hides the projects inside another repository's work tree (a filter, kept in the settings).
    Q_PROPERTY(bool hideNested READ hideNested WRITE setHideNested NOTIFY hideNestedChanged)
    // How many projects lie inside another repository's work tree.
    Q_PROPERTY(int nestedCount READ nestedCount NOTIFY projectsChanged)
    // The projects shown were found under scanPath (false until a scan of the root folder ends).
    Q_PROPERTY(bool showsScanPath READ showsScanPath NOTIFY showsScanPathChanged)
    // "Updated 5 minutes ago · refreshing" while stored results are shown; "" otherwise.
    Q_PROPERTY(QString freshnessText READ freshnessText NOTIFY freshnessTextChanged)
    // A scan is refreshing the stored results shown.
    Q_PROPERTY(bool refreshing READ refreshing NOTIFY freshnessTextChanged)
    // The editors installed, [{id, name}], in the chooser's order; read again by reloadEditors().
    Q_PROPERTY(QVariantList editors READ editorsList NOTIFY editorsChanged)
    // Pull All, Push All and the summary of Fetch All.
    Q_PROPERTY(BulkGitActions* bulk READ bulk CONSTANT)

public:
    // The settings key of the root folder's bookmark; the path fallback appends ".path".
    static QString scanPathKey();
    static QString scanPathFallbackKey();

    // Restores the root folder from `settings` (and saves it again); starts no scan.
    ProjectsViewModel(ProjectScanner& scanner, std::shared_ptr<QSettings> settings,
                      PlatformServices services, QObject* parent = nullptr);
    ~ProjectsViewModel() override;

    // Loading state.
    bool isLoading() const { return m_isLoading; }
    QString loadingMessage() const { return m_loadingMessage; }

    // Search and kind filter.
    QString searchText() const { return m_searchText; }
    void setSearchText(const QString& text);
    std::optional<ProjectType> selectedTypeFilter() const { return m_typeFilter; }
    void setSelectedTypeFilter(std::optional<ProjectType> type);
    QString selectedTypeFilterText() const;
    // A kind's raw value, or "" for all kinds; other texts are ignored.
    void setSelectedTypeFilterText(const QString& raw);

    // Filter by state.
    StatusFilter statusFilter() const { return m_statusFilter; }
    void setStatusFilter(StatusFilter filter);
    QString statusFilterText() const { return statusFilterKey(m_statusFilter); }
    // A filter's key; unknown keys are ignored.
    void setStatusFilterText(const QString& key);
    // The filter if it is not the current one, else no filter: what a click on a counter does.
    Q_INVOKABLE void toggleStatusFilter(const QString& key);
    // Clears the search text, the kind filter, the state filter and the hiding of nested projects.
    Q_INVOKABLE void clearFilters();

    ProjectSort sortOrder() const { return m_sort; }
    void setSortOrder(ProjectSort sort);
    QString sortOrderText() const { return projectSortKey(m_sort); }
    QString sortOrderTitle() const { return projectSortTitle(m_sort); }
    // A ProjectSort key; others are ignored.
    void setSortOrderText(const QString& key);
    QVariantList sortOrders() const;
    bool hideNested() const { return m_hideNested; }
    void setHideNested(bool hide);
    int nestedCount() const;
    // What Escape does: clears the search text when there is one, else the kind and state
    // filters. Returns whether anything was cleared.
    Q_INVOKABLE bool clearLastFilter();

    QDateTime lastScanDate() const { return m_lastScanDate; }

    // The root folder as file-system bytes (absolute, no trailing slash).
    std::optional<QByteArray> scanPathBytes() const { return m_scanPath; }
    QString scanPathText() const;
    QUrl scanPathUrl() const;
    bool hasScanPath() const { return m_scanPath.has_value(); }
    // Stores the root folder and notifies; a folder (not none) is persisted at once.
    void setScanPath(const std::optional<QByteArray>& folder);

    // Persistence of the root folder.
    void saveScanPath(const QByteArray& folder);
    std::optional<QByteArray> loadSavedScanPath();
    // A sentence for the user when the root folder cannot be persisted (the settings file cannot
    // be written, or was refused when opened); "" while persisting works.
    QString settingsMessage() const { return m_settingsMessage; }
    // Reports a problem found while opening the settings (see settingsfile::open).
    void reportSettingsProblem(const QString& message);

    // Projects and derived values.
    const QList<Project>& projects() const { return m_projects; }
    int projectCount() const { return int(m_projects.size()); }
    const QList<Project>& filteredProjects() const;
    int filteredCount() const;
    int modifiedCount() const;
    int attentionCount() const;
    QList<TypeCount> typeCounts() const;
    // [{type, count, icon, color}] in the order of typeCounts().
    QVariantList typeCountsList() const;
    QAbstractItemModel* filteredModel() const;
    // Whether a search text or a kind filter narrows the list.
    bool filterActive() const {
        return !m_searchText.isEmpty() || m_typeFilter.has_value() || m_statusFilter != StatusFilter::none || m_hideNested;
    }
    // Whether the project with `id` passes the current search and kind filter. Ids of records
    // replaced by a refresh count as their replacement; an unknown id does not match.
    Q_INVOKABLE bool matchesFilters(const QString& id) const;
    // "2 of 27 shown" while a filter is active, "" otherwise.
    QString matchSummary() const;

    // The stored root folder that was not found at start ("" when it was, or none was stored).
    QString missingFolder() const { return m_missingFolder; }

    // Selection. One project at most, and only one that passes the filters: a filter that hides
    // the selected project clears the selection.
    const std::optional<Project>& selectedProjectRecord() const { return m_selected; }
    int selectedRow() const;
    QVariantMap selectedProject() const;
    QString selectedProjectId() const;
    // Selects the project with that id; "" clears the selection, an unknown id or a project
    // that does not pass the filters changes nothing.
    // The id of a record that a refresh replaced selects its replacement, so views whose data
    // is kept from the last full scan can still select it.
    Q_INVOKABLE void selectProject(const QString& id);
    Q_INVOKABLE QVariantMap projectById(const QString& id) const;
    // Selects the project whose folder is `path` (a path text); false when there is none.
    Q_INVOKABLE bool selectProjectByPath(const QString& path);

    // Tree and graph data of the projects: built after a full scan and whenever projects come or
    // go; a fresh record of a project is put in place in both (projectUpdated).
    const CachedTreeData& cachedTreeData() const { return m_treeData; }
    const CachedGraphData& cachedGraphData() const { return m_graphData; }
    bool treeReady() const { return m_treeData.isReady; }
    bool graphReady() const { return m_graphData.isReady; }

    // Full scan of the root folder (maximum depth 10) followed by the rebuild of the tree and
    // graph data. Does nothing without a root folder. When scans overlap the newest one wins:
    // `isLoading` stays true until it is done, and `scanFinished` is emitted once it is.
    Q_INVOKABLE void scanProjects();
    // Stops the running full scan: nothing of it is applied (projects, selection and data sets
    // stay), `isLoading` becomes false and `scanFinished` is emitted. A stopped scan of a newly
    // chosen root folder goes back to the root whose projects are shown (stored again), and
    // `scanNotice` names the time of the results that stay.
    Q_INVOKABLE void stopScan();
    QString scanNotice() const { return m_scanNotice; }
    Q_INVOKABLE void dismissScanNotice();
    bool showsScanPath() const { return m_shownRoot.has_value() && m_shownRoot == m_scanPath; }

    // Stores the results of every full scan in `cache`. Before anything is shown, the stored
    // results of the root folder are shown at once; the next scanProjects() then refreshes them
    // in the background (`isLoading` stays false) and replaces them in place.
    void useResultsCache(std::shared_ptr<ResultsCache> cache);
    QString freshnessText() const { return m_freshnessText; }
    bool refreshing() const;

    // What the window keeps of itself for the next start (size, mode, panes), by name, in the
    // settings; the search text, the kind filter and the selected project's folder are kept
    // and restored by the view model itself.
    Q_INVOKABLE QVariant windowSetting(const QString& name) const;
    Q_INVOKABLE void setWindowSetting(const QString& name, const QVariant& value);

    // Puts `records` in place of the records at their folders (records at folders not in the
    // list are added, when they lie under the root shown) and removes the projects at the
    // `removed` folders. Every derived value follows at once: the filtered list, the counts, the
    // selection; the tree and graph data take the fresh records in place (projectUpdated), and
    // are built again when projects came or went.
    void applyProjectChanges(const QList<Project>& records, const QList<QByteArray>& removed = {});
    // How many single-project refreshes are running.
    int refreshesRunning() const { return m_refreshesRunning; }
    // Whether a build of the tree and graph data is running.
    bool visualizationsPending() const { return m_rebuildGeneration != m_appliedRebuild; }
    // The running full scan's progress and stop.
    ScanSession* scanSession() const { return m_scanSession; }
    // Rebuilds the tree and graph data from all projects and the root folder off the main
    // thread; `done` runs on the main thread once the newest rebuild has been applied.
    void rebuildVisualizations(std::function<void()> done = {});

    // Project actions.
    // Asks the window for the folder chooser (`folderDialogRequested`).
    Q_INVOKABLE void selectFolder();
    // The folder the user chose: becomes the root folder (persisted) and is scanned.
    // URLs that are not local folders are ignored.
    Q_INVOKABLE void chooseFolder(const QUrl& folder);
    // Re-reads one project's folder and replaces its record, or removes the project when its
    // folder is gone or no longer a project; `refreshFinished` follows.
    Q_INVOKABLE void refreshProject(const QString& id);
    void refreshProject(const Project& project);
    Q_INVOKABLE void openInFinder(const QString& id);
    Q_INVOKABLE void openInTerminal(const QString& id);
    // Copies the remote location without any secret it carries; `actionFeedback` confirms.
    Q_INVOKABLE void copyRemoteURL(const QString& url);
    // Fetches one project's repository, then refreshes that project.
    Q_INVOKABLE void fetchProject(const QString& id);
    // Fetches every repository with remotes, several at a time, then scans again.
    Q_INVOKABLE void fetchAll();
    ProjectFetcher* fetcher() const { return m_fetcher; }

    // Live state: the projects follow the disk between full scans (see LiveUpdates).
    LiveUpdates* liveUpdates() const { return m_live; }
    // The window became active: what is not watched live is read again, at most once a minute.
    Q_INVOKABLE void windowActivated();
    // Editors (ProjectsViewModelEditors.cpp). The editor of a project is the one remembered for
    // its kind, else the one remembered for all, else the only one installed; without one,
    // openInEditor asks the window (editorChoiceNeeded), and with none installed it says what
    // was looked for (actionFeedback).
    QVariantList editorsList() const;
    Q_INVOKABLE void reloadEditors();
    Q_INVOKABLE void openInEditor(const QString& id);
    // Opens in `editorId` and remembers it: for the project's kind when `forKind`, else for all.
    Q_INVOKABLE void openInEditorWith(const QString& id, const QString& editorId, bool forKind);
    // The name of the editor openInEditor would use; "" when it would have to ask.
    Q_INVOKABLE QString editorNameFor(const QString& id) const;
    // Opens the web page of the project's remote (syncActionsMap's remoteWebUrl) in the browser.
    Q_INVOKABLE void openRemoteInBrowser(const QString& id);

    // Pull and push (ProjectsViewModelPulls.cpp): run on the pool, then the project is refreshed
    // and actionFeedback says how it went.
    Q_INVOKABLE void pullProject(const QString& id);
    Q_INVOKABLE void pushProject(const QString& id);
    Q_INVOKABLE void pullAll();
    Q_INVOKABLE void pushAll();
    BulkGitActions* bulk() const { return m_bulk; }

signals:
    void isLoadingChanged();
    void loadingMessageChanged();
    void searchTextChanged();
    void selectedTypeFilterChanged();
    void statusFilterChanged();
    void sortOrderChanged();
    void hideNestedChanged();
    void lastScanDateChanged();
    void scanPathChanged();
    void settingsMessageChanged();
    // `projects` was replaced (full scan) or one record in it (refresh).
    void projectsChanged();
    void filteredProjectsChanged();
    // Any change that can change matchesFilters(), filterActive or matchSummary.
    void filterStateChanged();
    void selectedProjectChanged();
    void treeDataChanged();
    void graphDataChanged();
    // The record of the project at `path` (its path text) was replaced in the tree and graph
    // data, which are otherwise unchanged.
    void projectUpdated(const QString& path);
    void selectedRowChanged();
    void scanNoticeChanged();
    void showsScanPathChanged();
    void freshnessTextChanged();
    // The newest full scan and its rebuild are done (`isLoading` has just become false).
    void scanFinished();
    // A refresh of the project with `id` completed, whether or not it changed anything.
    void refreshFinished(const QString& id);
    void folderDialogRequested();
    void missingFolderChanged();
    // A short message about the outcome of a project action, for a transient notice.
    void actionFeedback(const QString& message);
    void editorsChanged();
    // openInEditor needs the user to choose among the editors for the project with `id`.
    void editorChoiceNeeded(const QString& id);

private:
    struct BuildResult;

    std::optional<Project> findProject(const QString& id) const;
    // `id`, or the id of the record that replaced it through one or more refreshes.
    QUuid currentId(const QUuid& id) const;
    void setLoading(bool loading);
    void setLoadingMessage(const QString& message);
    void setSettingsMessage(const QString& message);
    void applyScanResult(quint64 generation, const QByteArray& root, QList<Project> projects);
    // Puts the full list of `root` in place; the selection follows its folder.
    void replaceProjects(const QByteArray& root, QList<Project> projects);
    void storeResults();
    bool refreshesStoredResults() const;
    void updateFreshness();
    void applyRefreshResult(const Project& old, const QList<Project>& found);
    void setSelection(const std::optional<Project>& project);
    // The rows that pass the filters now; `changed` (source positions) are records replaced
    // in place. Clears a selection the filters hide.
    void updateFiltered(const QList<qsizetype>& changed = {});
    void setShownRoot(const std::optional<QByteArray>& root);
    // The order and the hiding of nested projects, from the settings.
    void loadListOrder();
    void loadWindowState();
    void saveFilterState();
    void saveSelection();
    void setScanNotice(const QString& notice);
    // Puts the current records of m_projects into the tree and graph data by path.
    void syncVisualizationRecords();
    void fetchFinished(const QList<Project>& fetched);
    // The views' map of a project, with whether it is watched live.
    QVariantMap projectMap(const Project& project) const;
    void liveStatesChanged();
    void syncAction(BulkGitActions::Action action, const QString& id);
    void bulkFinished(BulkGitActions::Action action, const QList<Project>& projects);
    std::optional<EditorChoice> editorFor(const Project& project) const;
    void launchEditor(const Project& project, const EditorChoice& editor);

    ProjectScanner& m_scanner;
    std::shared_ptr<QSettings> m_settings;
    PlatformServices m_services;

    QList<Project> m_projects;
    ProjectSearchIndex m_searchIndex;
    ProjectListModel* m_filteredModel = nullptr;
    ScanSession* m_scanSession = nullptr;
    // filteredProjects() as a list, made on first read after each change.
    mutable std::optional<QList<Project>> m_filteredList;
    std::optional<Project> m_selected;
    bool m_isLoading = false;
    QString m_loadingMessage;
    QString m_searchText;
    std::optional<ProjectType> m_typeFilter;
    StatusFilter m_statusFilter = StatusFilter::none;
    ProjectSort m_sort = ProjectSort::name;
    bool m_hideNested = false;
    ProjectFetcher* m_fetcher = nullptr;
    LiveUpdates* m_live = nullptr;
    bool m_selectedWatchedLive = true;
    BulkGitActions* m_bulk = nullptr;
    mutable std::optional<QList<EditorChoice>> m_editors;
    bool m_fetchingAll = false;
    QDateTime m_lastScanDate;
    std::optional<QByteArray> m_scanPath;
    QString m_settingsMessage;
    CachedTreeData m_treeData;
    CachedGraphData m_graphData;

    // Record ids replaced by a refresh since the last full scan, old -> new.
    QHash<QUuid, QUuid> m_replacedIds;
    // Ids of the projects that pass the filters, made on first read after each change.
    mutable std::optional<QSet<QUuid>> m_matchingIds;
    QString m_missingFolder;

    // The root folder whose scan gave m_projects.
    std::optional<QByteArray> m_shownRoot;
    QString m_scanNotice;
    std::shared_ptr<ResultsCache> m_cache;
    // m_projects are stored results, not yet refreshed by a scan.
    bool m_showsStored = false;
    QString m_freshnessText;
    // The folder of the project selected when the window was last closed, until results come.
    std::optional<QByteArray> m_restoredSelection;
    // Counts the full scans applied, so a refresh begun before one is not applied after it.
    quint64 m_scansApplied = 0;
    // Counts the changes of m_projects, so a build of an older list gets the newer records.
    quint64 m_projectsRevision = 0;
    int m_refreshesRunning = 0;

    quint64 m_scanGeneration = 0;
    quint64 m_rebuildGeneration = 0;
    quint64 m_appliedRebuild = 0;
    QList<std::function<void()>> m_rebuildWaiters;
    QThreadPool m_buildPool;
};
