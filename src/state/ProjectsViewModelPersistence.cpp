// The root folder of ProjectsViewModel and its persistence in the settings: the bookmark under
// scanPathKey(), the path under scanPathFallbackKey() when no bookmark can be made, and the
// notices about a folder that could not be saved or is no longer there.
#include "state/ProjectsViewModel.h"

#include "state/FolderBookmark.h"
#include "state/FolderUrl.h"

QString ProjectsViewModel::scanPathKey() { return QStringLiteral("Codeorchardist.ScanPath"); }

QString ProjectsViewModel::scanPathFallbackKey() { return scanPathKey() + QStringLiteral(".path"); }

QString ProjectsViewModel::scanPathText() const { return m_scanPath ? QString::fromUtf8(*m_scanPath) : QString(); }

QUrl ProjectsViewModel::scanPathUrl() const { return m_scanPath ? folderUrl(*m_scanPath) : QUrl(); }

void ProjectsViewModel::setScanPath(const std::optional<QByteArray>& folder) {
    if (folder && !m_missingFolder.isEmpty()) {
        m_missingFolder.clear();
        emit missingFolderChanged();
    }
    const bool changed = m_scanPath != folder;
    const bool showed = showsScanPath();
    m_scanPath = folder;
    if (changed) emit scanPathChanged();
    if (showed != showsScanPath()) emit showsScanPathChanged();
    if (folder) saveScanPath(*folder);
}

void ProjectsViewModel::reportSettingsProblem(const QString& message) { setSettingsMessage(message); }

void ProjectsViewModel::setSettingsMessage(const QString& message) {
    if (m_settingsMessage == message) return;
    m_settingsMessage = message;
    emit settingsMessageChanged();
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
    if (m_settings->status() == QSettings::NoError) {
        setSettingsMessage(QString());
    } else {
        setSettingsMessage(QStringLiteral("The chosen folder could not be saved: the settings file %1 cannot be "
                                          "written. It will not be restored at the next start.")
                               .arg(m_settings->fileName()));
    }
}

std::optional<QByteArray> ProjectsViewModel::loadSavedScanPath() {
    if (!m_settings) return std::nullopt;
    const QVariant bookmark = m_settings->value(scanPathKey());
    std::optional<QByteArray> lostFolder;
    if (bookmark.typeId() == QMetaType::QByteArray) {
        if (const auto resolved = folderbookmark::resolve(bookmark.toByteArray())) {
            if (resolved->isStale) saveScanPath(resolved->path);
            return resolved->path;
        }
        lostFolder = folderbookmark::storedPath(bookmark.toByteArray());
    }
    const QVariant path = m_settings->value(scanPathFallbackKey());
    std::optional<QByteArray> fallback;
    // Longer than any path the system can open: damaged, so neither restored nor saved again.
    if (path.typeId() == QMetaType::QString && path.toString().size() < folderbookmark::kMaxPathLength) {
        fallback = localFolderPath(QUrl::fromLocalFile(path.toString()));
        if (fallback && fallback->size() >= folderbookmark::kMaxPathLength) fallback.reset();
    }
    if (!fallback && lostFolder) {
        // The bookmark stays stored: the folder may come back (a drive mounted again).
        m_missingFolder = QString::fromUtf8(*lostFolder);
        emit missingFolderChanged();
    }
    return fallback;
}
