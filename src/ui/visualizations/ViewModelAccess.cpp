#include "ViewModelAccess.h"

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

} // namespace vmaccess
