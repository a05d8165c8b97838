// The stored results of ProjectsViewModel: each full scan's results are stored for its root
// folder, and a start shows the root's stored results at once while a scan refreshes them in
// the background.
#include "state/ProjectsViewModel.h"

#include "model/RelativeDateText.h"
#include "state/ResultsCache.h"

#include <QLocale>

void ProjectsViewModel::useResultsCache(std::shared_ptr<ResultsCache> cache) {
    m_cache = std::move(cache);
    // Only at start: results already shown are newer than any stored ones.
    if (!m_cache || !m_scanPath || m_shownRoot || m_isLoading) return;
    std::optional<resultsformat::StoredResults> stored = m_cache->read(*m_scanPath);
    if (!stored) return;
    m_showsStored = true;
    replaceProjects(stored->root, std::move(stored->projects));
    m_lastScanDate = stored->scanned;
    emit lastScanDateChanged();
    updateFreshness();
    rebuildVisualizations();
}

void ProjectsViewModel::storeResults() {
    if (m_cache && m_shownRoot) m_cache->writeLater({*m_shownRoot, m_lastScanDate, m_projects});
}

bool ProjectsViewModel::refreshesStoredResults() const {
    return m_showsStored && m_scanPath && m_shownRoot == m_scanPath;
}

bool ProjectsViewModel::refreshing() const { return m_showsStored && m_scanSession->running(); }

void ProjectsViewModel::updateFreshness() {
    QString text;
    if (m_showsStored) {
        // A clock set back since the scan must not say "in 5 minutes".
        const QDateTime now = std::max(QDateTime::currentDateTime(), m_lastScanDate);
        text = QStringLiteral("Updated %1").arg(relativeDateText(m_lastScanDate, now, QLocale::system()));
        if (refreshing()) text += QStringLiteral(" \u00b7 refreshing");
    }
    if (m_freshnessText == text) return;
    m_freshnessText = text;
    emit freshnessTextChanged();
}
