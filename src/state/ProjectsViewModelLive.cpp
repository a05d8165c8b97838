// The live state of ProjectsViewModel: whether each project follows the disk by itself, and
// the re-reading of the others when the window becomes active.
#include "state/LiveUpdates.h"
#include "state/ProjectListModel.h"
#include "state/ProjectsViewModel.h"

void ProjectsViewModel::windowActivated() { m_live->activated(); }

QVariantMap ProjectsViewModel::projectMap(const Project& project) const {
    QVariantMap map = projectToVariantMap(project);
    map.insert(QStringLiteral("watchedLive"), m_live->watchedLive(project.path));
    return map;
}

void ProjectsViewModel::liveStatesChanged() {
    const bool live = !m_selected || m_live->watchedLive(m_selected->path);
    if (live == m_selectedWatchedLive) return;
    m_selectedWatchedLive = live;
    emit selectedProjectChanged();
}
