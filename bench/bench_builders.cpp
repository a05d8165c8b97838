// Wall time of the outline and mindmap builders, and of the grid push-apart pass beside the
// plain quadratic one, for generated project lists in an org/group/project folder layout.
#include "state/GraphData.h"
#include "state/GraphLayout.h"
#include "state/OverlapResolver.h"
#include "state/TreeData.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// root/orgN/groupN/projectN, about 40 projects per org and 8 per group; one in eight has a
// nested project (packages/...), one in twenty sits one level deeper (archive/...).
QList<Project> generateProjects(int count) {
    std::mt19937 random(20251207);
    QList<Project> projects;
    const int orgs = std::max(1, count / 40);
    for (int i = 0; projects.size() < count; ++i) {
        const int org = int(random() % unsigned(orgs));
        const int group = int(random() % 5);
        QByteArray path = "/home/dev/code/org" + QByteArray::number(org) + "/group" + QByteArray::number(group);
        if (random() % 20 == 0) path += "/archive";
        path += "/project" + QByteArray::number(i);
        Project project;
        project.name = QStringLiteral("project%1").arg(i);
        project.path = path;
        project.type = projecttype::allCases.at(random() % projecttype::allCases.size());
        projects.append(project);
        if (random() % 8 == 0 && projects.size() < count) {
            project.name += QStringLiteral("-plugin");
            project.path = path + "/packages/plugin";
            projects.append(project);
        }
    }
    // The view model hands the scanner's order: by name.
    std::sort(projects.begin(), projects.end(), [](const Project& a, const Project& b) { return a.name < b.name; });
    return projects;
}

// Best of `runs` wall times, in milliseconds.
double bestMs(int runs, const std::function<void()>& work) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
}

bool samePositions(const GraphNodeMap& a, const GraphNodeMap& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a.at(i).position.x() != b.at(i).position.x() || a.at(i).position.y() != b.at(i).position.y())
            return false;
    }
    return true;
}

// FNV-1a over the bits of every node's position and the canvas size: equal fingerprints mean
// bit-identical layouts, so a change of the pass can be checked against the figure printed
// before it.
unsigned long long fingerprint(const CachedGraphData& data) {
    unsigned long long hash = 14695981039346656037ull;
    const auto mix = [&hash](double value) {
        unsigned long long bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        for (int byte = 0; byte < 8; ++byte) {
            hash ^= (bits >> (8 * byte)) & 0xff;
            hash *= 1099511628211ull;
        }
    };
    for (const CachedGraphNode& node : data.nodes) {
        mix(node.position.x());
        mix(node.position.y());
    }
    mix(data.width);
    mix(data.height);
    return hash;
}

} // namespace

// Sizes may be given as arguments ("bench_builders 2000"); the default is 200, 2000 and 10000.
int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int a = 1; a < argc; ++a) sizes.push_back(std::atoi(argv[a]));
    if (sizes.empty()) sizes = {200, 2000, 10000};
    const QString root = QStringLiteral("/home/dev/code");
    std::printf("%8s %7s %10s %10s %10s %12s %14s %9s %5s  %s\n", "projects", "nodes", "tree ms", "graph ms",
                "both ms", "overlap ms", "quadratic ms", "speedup", "same", "layout fingerprint");
    for (int count : sizes) {
        const QList<Project> projects = generateProjects(count);
        const int runs = count >= 10000 ? 3 : 10;

        QList<CachedTreeNode> tree;
        CachedGraphData graph;
        const double treeMs = bestMs(runs, [&] { tree = buildTreeData(projects, root); });
        const double graphMs = bestMs(runs, [&] { graph = buildGraphData(projects, root); });

        // The push-apart pass alone, from the placed but not yet separated layout.
        GraphNodeMap placed = graph.nodes;
        graphlayout::placeAroundRoot(placed, graphlayout::subtreeSizes(placed, root), root);
        GraphNodeMap withGrid, plain;
        const double gridMs = bestMs(runs, [&] {
            withGrid = placed;
            resolveOverlaps(withGrid);
        });
        const double plainMs = bestMs(1, [&] {
            plain = placed;
            resolveOverlapsQuadratic(plain);
        });

        std::printf("%8d %7lld %10.2f %10.2f %10.2f %12.2f %14.2f %8.1fx %5s  %016llx\n", count,
                    static_cast<long long>(graph.nodes.size()), treeMs, graphMs, treeMs + graphMs, gridMs, plainMs,
                    plainMs / gridMs, samePositions(withGrid, plain) ? "yes" : "NO", fingerprint(graph));
    }
    return 0;
}
