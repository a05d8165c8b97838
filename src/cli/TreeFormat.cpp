#include "cli/TreeFormat.h"

#include "cli/TerminalText.h"
#include "discovery/Utf8.h"

#include "state/PathPieces.h"
#include "state/TreeData.h"

#include <ostream>

namespace {

// Control characters in file names would break the one-node-a-line shape and could drive the
// terminal; they are escaped.
std::string printable(const QString& text) { return terminaltext::scrubbed(text).toStdString(); }

// Projects strictly beneath `node`.
qsizetype projectsBelow(const CachedTreeNode& node) {
    qsizetype count = 0;
    for (const CachedTreeNode& child : node.children) count += (child.isProject ? 1 : 0) + projectsBelow(child);
    return count;
}

void writeNode(const CachedTreeNode& node, std::ostream& out) {
    out << std::string(size_t(node.depth) * 2, ' ') << printable(node.name);
    if (node.project) out << " [" << projecttype::rawValue(node.project->type).toStdString() << "]";
    if (!node.isProject || !node.children.isEmpty()) out << " (" << projectsBelow(node) << ")";
    out << "\n";
    for (const CachedTreeNode& child : node.children) writeNode(child, out);
}

} // namespace

void writeProjectTree(const QList<Project>& projects, const QByteArray& root, std::ostream& out) {
    const QString rootPath = decodeUtf8KeepingBytes(root);
    const QList<CachedTreeNode> nodes = buildTreeData(projects, rootPath);
    // Without projects the outline is the root alone.
    if (nodes.isEmpty()) out << printable(pathpieces::lastComponent(rootPath)) << " (0)\n";
    for (const CachedTreeNode& node : nodes) writeNode(node, out);
}
