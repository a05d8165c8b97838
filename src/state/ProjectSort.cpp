#include "state/ProjectSort.h"

#include "model/Attention.h"
#include "model/ProjectType.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

struct SortInfo {
    const char* key;
    const char* title;
};

// In the order of allProjectSorts.
constexpr std::array<SortInfo, allProjectSorts.size()> kSorts = {{
    {"name", "Name"},
    {"attention", "Needs attention first"},
    {"lastCommit", "Last commit"},
    {"kind", "Kind"},
    {"path", "Path"},
}};

const SortInfo& info(ProjectSort sort) { return kSorts[size_t(sort)]; }

} // namespace

QString projectSortKey(ProjectSort sort) { return QString::fromLatin1(info(sort).key); }

QString projectSortTitle(ProjectSort sort) { return QString::fromLatin1(info(sort).title); }

std::optional<ProjectSort> projectSortFromKey(const QString& key) {
    for (const ProjectSort sort : allProjectSorts) {
        if (key == QLatin1String(info(sort).key)) return sort;
    }
    return std::nullopt;
}

void sortRows(QList<qsizetype>& rows, const QList<Project>& projects, ProjectSort sort) {
    const auto by = [&](auto key) {
        std::stable_sort(rows.begin(), rows.end(),
                         [&](qsizetype a, qsizetype b) { return key(projects.at(a)) < key(projects.at(b)); });
    };
    switch (sort) {
    case ProjectSort::name: return;
    case ProjectSort::attention: by([](const Project& p) { return -attentionReasons(p).size(); }); return;
    case ProjectSort::lastCommit:
        // Newest first; a project without a known date after every dated one.
        by([](const Project& p) {
            return p.lastModified && p.lastModified->isValid() ? -p.lastModified->toMSecsSinceEpoch()
                                                                : std::numeric_limits<qint64>::max();
        });
        return;
    case ProjectSort::kind: by([](const Project& p) { return int(p.type); }); return;
    case ProjectSort::path: by([](const Project& p) { return p.path; }); return;
    }
}
