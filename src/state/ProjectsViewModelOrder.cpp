// The order of the List and the Cards, and the hiding of the projects inside another
// repository: both kept in the settings, both applied to the filtered list.
#include "state/ProjectsViewModel.h"

#include <algorithm>

namespace {

const QString kSortKey = QStringLiteral("Codeorchardist.Sort");
const QString kHideNestedKey = QStringLiteral("Codeorchardist.HideNested");

} // namespace

void ProjectsViewModel::loadListOrder() {
    if (!m_settings) return;
    // A damaged value is ignored: the defaults stand.
    const QVariant sort = m_settings->value(kSortKey);
    if (sort.typeId() == QMetaType::QString) m_sort = projectSortFromKey(sort.toString()).value_or(ProjectSort::name);
    const QVariant hide = m_settings->value(kHideNestedKey);
    m_hideNested = hide.typeId() == QMetaType::Bool ? hide.toBool() : hide.toString() == QLatin1String("true");
}

void ProjectsViewModel::setSortOrder(ProjectSort sort) {
    if (m_sort == sort) return;
    m_sort = sort;
    if (m_settings) m_settings->setValue(kSortKey, projectSortKey(sort));
    emit sortOrderChanged();
    updateFiltered();
}

void ProjectsViewModel::setSortOrderText(const QString& key) {
    if (const std::optional<ProjectSort> sort = projectSortFromKey(key)) setSortOrder(*sort);
}

QVariantList ProjectsViewModel::sortOrders() const {
    QVariantList list;
    for (const ProjectSort sort : allProjectSorts)
        list.append(QVariantMap{{QStringLiteral("key"), projectSortKey(sort)}, {QStringLiteral("title"), projectSortTitle(sort)}});
    return list;
}

void ProjectsViewModel::setHideNested(bool hide) {
    if (m_hideNested == hide) return;
    m_hideNested = hide;
    if (m_settings) m_settings->setValue(kHideNestedKey, hide);
    emit hideNestedChanged();
    updateFiltered();
}

int ProjectsViewModel::nestedCount() const {
    return int(std::count_if(m_projects.cbegin(), m_projects.cend(), isInsideRepository));
}
