#include "cli/GraphFormat.h"

#include "cli/ProjectFormats.h"
#include "discovery/Utf8.h"
#include "state/GraphData.h"

#include <charconv>
#include <cmath>
#include <ostream>

std::string jsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

namespace {

void writeNode(const CachedGraphNode& node, std::ostream& out) {
    out << "{\"id\": " << jsonQuoted(node.id) << ", \"name\": " << jsonQuoted(node.name)
        << ", \"depth\": " << node.depth << ", \"isDirectory\": " << (node.isDirectory ? "true" : "false")
        << ", \"x\": " << jsonNumber(node.position.x()) << ", \"y\": " << jsonNumber(node.position.y())
        << ", \"childIDs\": [";
    for (qsizetype i = 0; i < node.childIDs.size(); ++i) out << (i ? ", " : "") << jsonQuoted(node.childIDs.at(i));
    out << "], \"project\": " << (node.project ? jsonQuoted(node.project->pathText()) : std::string("null")) << "}";
}

} // namespace

void writeProjectGraph(const QList<Project>& projects, const QByteArray& root, std::ostream& out) {
    const CachedGraphData graph = buildGraphData(projects, decodeUtf8KeepingBytes(root));
    out << "{\"width\": " << jsonNumber(graph.width) << ", \"height\": " << jsonNumber(graph.height)
        << ",\n \"nodes\": [";
    for (qsizetype i = 0; i < graph.flatNodes.size(); ++i) {
        out << (i ? ",\n  " : "\n  ");
        writeNode(graph.flatNodes.at(i), out);
    }
    out << (graph.flatNodes.isEmpty() ? "]" : "\n ]") << ",\n \"connections\": [";
    for (qsizetype i = 0; i < graph.connections.size(); ++i) {
        const CachedGraphConnection& connection = graph.connections.at(i);
        out << (i ? ",\n  " : "\n  ") << "{\"fromPath\": " << jsonQuoted(connection.fromPath)
            << ", \"toPath\": " << jsonQuoted(connection.toPath) << ", \"color\": " << jsonQuoted(connection.color)
            << "}";
    }
    out << (graph.connections.isEmpty() ? "]" : "\n ]") << "}\n";
}
