#include "state/TreeData.h"

#include "discovery/Utf8.h"
#include "state/PathPieces.h"

#include <QCollator>
#include <QHash>

#include <algorithm>
#include <numeric>

namespace {

// A node while the outline is being built: children by index into the node list.
struct DraftNode {
    QString path;
    QString name;
    qint64 depth = 0;
    std::optional<Project> project;
    QList<qsizetype> children;
};

class TreeBuilder {
public:
    // `expected` nodes are reserved up front; more only cost a regrowth.
    TreeBuilder(const QString& rootPath, const QLocale& locale, qsizetype expected) : m_collator(locale) {
        m_collator.setCaseSensitivity(Qt::CaseInsensitive);
        m_nodes.reserve(expected);
        m_index.reserve(expected);
        m_index.insert(rootPath, 0);
        m_nodes.append(DraftNode{rootPath, pathpieces::lastComponent(rootPath), 0, std::nullopt, {}});
    }

    // Adds the folders on the way to `project` and its own node. A folder node already at the
    // project's own path (which the order by path never makes, but a caller's order might)
    // becomes its project node.
    void add(const Project& project, const QString& pathText) {
        const QList<QStringView> pieces = pathpieces::below(pathText, m_nodes.first().path);
        // A project at the root folder itself is the root's own project.
        if (pathText == m_nodes.first().path && !m_nodes.first().project) m_nodes.first().project = project;
        qsizetype parent = 0;
        QString current = m_nodes.first().path;
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            current += QLatin1Char('/');
            current += pieces.at(i);
            const bool last = i == pieces.size() - 1;
            const auto found = m_index.constFind(current);
            if (found != m_index.cend()) {
                if (last && !m_nodes.at(*found).project) m_nodes[*found].project = project;
                parent = *found;
                continue;
            }
            const qsizetype created = m_nodes.size();
            m_nodes.append(DraftNode{current, pieces.at(i).toString(), i + 1,
                                     last ? std::optional<Project>(project) : std::nullopt, {}});
            m_index.insert(current, created);
            m_nodes[parent].children.append(created);
            parent = created;
        }
    }

    CachedTreeNode assemble(qsizetype index) const {
        const DraftNode& draft = m_nodes.at(index);
        CachedTreeNode node;
        node.id = draft.path;
        node.name = draft.name;
        node.fullPath = draft.path;
        node.depth = draft.depth;
        node.isProject = draft.project.has_value();
        node.project = draft.project;
        // The children's order is settled on their indices, so that whole nodes are never moved.
        QList<qsizetype> order = draft.children;
        std::stable_sort(order.begin(), order.end(), [this](qsizetype a, qsizetype b) {
            return m_collator.compare(m_nodes.at(a).name, m_nodes.at(b).name) < 0;
        });
        node.children.reserve(order.size());
        for (qsizetype child : order) node.children.append(assemble(child));
        return node;
    }

private:
    QCollator m_collator;
    QList<DraftNode> m_nodes;
    QHash<QString, qsizetype> m_index;
};

} // namespace

bool operator==(const CachedTreeNode& a, const CachedTreeNode& b) {
    return a.id == b.id && a.name == b.name && a.fullPath == b.fullPath && a.depth == b.depth &&
           a.isProject == b.isProject && a.project == b.project &&
           std::equal(a.children.cbegin(), a.children.cend(), b.children.cbegin(), b.children.cend());
}

QList<CachedTreeNode> buildTreeData(const QList<Project>& projects, const QString& rootPath) {
    return buildTreeData(projects, rootPath, QLocale());
}

QList<CachedTreeNode> buildTreeData(const QList<Project>& projects, const QString& rootPath,
                                    const QLocale& locale) {
    if (projects.isEmpty()) return {};

    // By path text, code unit by code unit, so that a folder's own project comes before the
    // projects beneath it. The text keeps bytes that are not UTF-8 apart, so that two folders
    // whose names differ only there stay two nodes.
    QStringList paths;
    paths.reserve(projects.size());
    for (const Project& project : projects) paths.append(decodeUtf8KeepingBytes(project.path));
    QList<qsizetype> order(projects.size());
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(),
                     [&paths](qsizetype a, qsizetype b) { return paths.at(a) < paths.at(b); });

    TreeBuilder builder(rootPath, locale, 2 * projects.size() + 1);
    for (qsizetype index : order) builder.add(projects.at(index), paths.at(index));
    return {builder.assemble(0)};
}
