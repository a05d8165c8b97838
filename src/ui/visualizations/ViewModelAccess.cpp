#include "ViewModelAccess.h"

#include "discovery/Utf8.h"
#include "state/ProjectsViewModel.h"

namespace vmaccess {

CachedTreeData treeData(QObject* viewModel) {
    if (auto* vm = qobject_cast<ProjectsViewModel*>(viewModel)) return vm->cachedTreeData();
    return {};
}

CachedGraphData graphData(QObject* viewModel) {
    if (auto* vm = qobject_cast<ProjectsViewModel*>(viewModel)) return vm->cachedGraphData();
    return {};
}

void onTreeDataChanged(QObject* viewModel, QObject* context, std::function<void()> handler) {
    if (auto* vm = qobject_cast<ProjectsViewModel*>(viewModel))
        QObject::connect(vm, &ProjectsViewModel::treeDataChanged, context, std::move(handler));
}

void onGraphDataChanged(QObject* viewModel, QObject* context, std::function<void()> handler) {
    if (auto* vm = qobject_cast<ProjectsViewModel*>(viewModel))
        QObject::connect(vm, &ProjectsViewModel::graphDataChanged, context, std::move(handler));
}

void onProjectUpdated(QObject* viewModel, QObject* context, std::function<void(const QString&)> handler) {
    if (auto* vm = qobject_cast<ProjectsViewModel*>(viewModel))
        QObject::connect(vm, &ProjectsViewModel::projectUpdated, context, std::move(handler));
}

std::optional<Project> projectAtPath(QObject* viewModel, const QString& path) {
    if (auto* vm = qobject_cast<ProjectsViewModel*>(viewModel)) {
        for (const Project& project : vm->projects())
            if (decodeUtf8KeepingBytes(project.path) == path) return project;
    }
    return std::nullopt;
}

bool filterActive(QObject* viewModel) {
    auto* vm = qobject_cast<ProjectsViewModel*>(viewModel);
    return vm && vm->filterActive();
}

QSet<QString> matchingPaths(QObject* viewModel) {
    QSet<QString> paths;
    if (auto* vm = qobject_cast<ProjectsViewModel*>(viewModel)) {
        const QList<Project>& filtered = vm->filteredProjects();
        paths.reserve(filtered.size());
        for (const Project& project : filtered) paths.insert(project.pathText());
    }
    return paths;
}

void onFilterChanged(QObject* viewModel, QObject* context, std::function<void()> handler) {
    if (auto* vm = qobject_cast<ProjectsViewModel*>(viewModel))
        QObject::connect(vm, &ProjectsViewModel::filterStateChanged, context, std::move(handler));
}

QString selectedProjectPath(QObject* viewModel) {
    auto* vm = qobject_cast<ProjectsViewModel*>(viewModel);
    if (!vm) return {};
    const QString id = vm->selectedProjectId();
    if (id.isEmpty()) return {};
    for (const Project& project : vm->projects())
        if (project.id.toString(QUuid::WithoutBraces) == id) return project.pathText();
    return {};
}

void onSelectionChanged(QObject* viewModel, QObject* context, std::function<void()> handler) {
    if (auto* vm = qobject_cast<ProjectsViewModel*>(viewModel))
        QObject::connect(vm, &ProjectsViewModel::selectedProjectChanged, context, std::move(handler));
}

QString currentProjectId(QObject* viewModel, const QString& path) {
    if (auto* vm = qobject_cast<ProjectsViewModel*>(viewModel)) {
        for (const Project& project : vm->projects())
            if (project.pathText() == path) return project.id.toString(QUuid::WithoutBraces);
    }
    return {};
}

} // namespace vmaccess
