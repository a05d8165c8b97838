// The full scan of ProjectsViewModel: starting and stopping it, and applying its result with
// the root folder it belongs to.
#include "state/ProjectsViewModel.h"

#include "state/LiveUpdates.h"
#include "state/ProjectListModel.h"
#include "state/ScanProgressText.h"
#include "state/ScanSession.h"

namespace {

const QString kScanningMessage = QStringLiteral("Scanning directories...");
const QString kBuildingMessage = QStringLiteral("Building visualizations...");
constexpr int kFullScanDepth = 10;

} // namespace

void ProjectsViewModel::scanProjects() {
    if (!m_scanPath) return;
    const quint64 generation = ++m_scanGeneration;
    const QByteArray root = *m_scanPath;
    setScanNotice(QString());
    // Stored results stay in view while the scan refreshes them; anything else waits for it.
    if (!refreshesStoredResults()) {
        setLoading(true);
        setLoadingMessage(kScanningMessage);
    }
    m_scanSession->start(root, kFullScanDepth, [this, generation, root](std::optional<QList<Project>> projects) {
        if (projects) {
            applyScanResult(generation, root, std::move(*projects));
        } else if (generation == m_scanGeneration) {
            // Stopped: everything stays as it was before the scan, the root folder included.
            if (m_shownRoot && m_shownRoot != m_scanPath) setScanPath(m_shownRoot);
            if (m_shownRoot && m_lastScanDate.isValid())
                setScanNotice(scanprogress::stoppedShowingMessage(m_lastScanDate, QDateTime::currentDateTime()));
            updateFreshness();
            setLoading(false);
            emit scanFinished();
        }
    });
    updateFreshness();
}

void ProjectsViewModel::setShownRoot(const std::optional<QByteArray>& root) {
    const bool before = showsScanPath();
    m_shownRoot = root;
    if (before != showsScanPath()) emit showsScanPathChanged();
}

void ProjectsViewModel::setScanNotice(const QString& notice) {
    if (m_scanNotice == notice) return;
    m_scanNotice = notice;
    emit scanNoticeChanged();
}

void ProjectsViewModel::dismissScanNotice() { setScanNotice(QString()); }

void ProjectsViewModel::stopScan() { m_scanSession->stop(); }

void ProjectsViewModel::applyScanResult(quint64 generation, const QByteArray& root, QList<Project> projects) {
    // A newer scan has started since: its result, not this one, is what the user asked for.
    if (generation != m_scanGeneration) return;

    m_showsStored = false;
    replaceProjects(root, std::move(projects));
    m_lastScanDate = QDateTime::currentDateTime();
    emit lastScanDateChanged();
    updateFreshness();
    storeResults();

    setLoadingMessage(kBuildingMessage);
    rebuildVisualizations([this, generation] {
        if (generation != m_scanGeneration) return;
        setLoading(false);
        emit scanFinished();
    });
}

void ProjectsViewModel::replaceProjects(const QByteArray& root, QList<Project> projects) {
    m_projects = std::move(projects);
    ++m_projectsRevision;
    ++m_scansApplied;
    m_replacedIds.clear();
    m_searchIndex.reset(m_projects);
    setShownRoot(root);
    m_live->scanApplied(root, kFullScanDepth);
    // The selection follows its folder to the new record; the filters below may clear it.
    std::optional<Project> selection;
    const std::optional<QByteArray> selectedPath = m_selected ? std::optional(m_selected->path) : m_restoredSelection;
    m_restoredSelection.reset();
    if (selectedPath) {
        for (const Project& project : m_projects) {
            if (project.path == *selectedPath) {
                selection = project;
                break;
            }
        }
    }
    setSelection(selection);
    emit projectsChanged();
    updateFiltered();
    // Without one, the first project shown is selected.
    if (!m_selected && m_filteredModel->count() > 0) setSelection(m_filteredModel->projectAt(0));
}
