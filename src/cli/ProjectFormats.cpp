#include "cli/ProjectFormats.h"

#include "cli/GitJson.h"
#include "model/Attention.h"
#include "model/SyncText.h"
#include "model/DateRange.h"
#include "cli/TableWriter.h"
#include "model/RemoteUrl.h"

#include <QUuid>

#include <ostream>
#include <vector>

std::string jsonQuoted(const QString& text) {
    // Controls (C0, DEL and C1) and the line separators are escaped, so that JSON printed on a
    // terminal cannot drive it; everything else is written as UTF-8.
    std::string out = "\"";
    for (const char32_t c : text.toUcs4()) {
        switch (c) {
        case U'"': out += "\\\""; break;
        case U'\\': out += "\\\\"; break;
        case U'\n': out += "\\n"; break;
        case U'\r': out += "\\r"; break;
        case U'\t': out += "\\t"; break;
        case U'\b': out += "\\b"; break;
        case U'\f': out += "\\f"; break;
        default:
            if (c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x2028 || c == 0x2029) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", unsigned(c));
                out += buf;
            } else if (c < 0x80) {
                out += char(c);
            } else {
                out += QString::fromUcs4(&c, 1).toStdString();
            }
        }
    }
    out += '"';
    return out;
}

std::string jsonOptional(const std::optional<QString>& text) { return text ? jsonQuoted(*text) : "null"; }

namespace {

QString isoUtc(const QDateTime& t) { return t.toUTC().toString(Qt::ISODate); }

QString uuidText(const QUuid& id) { return id.toString(QUuid::WithoutBraces); }

} // namespace

std::string projectJson(const Project& p) {
    std::string out = "{";
    out += "\"id\": " + jsonQuoted(uuidText(p.id));
    out += ", \"name\": " + jsonQuoted(p.name);
    out += ", \"path\": " + jsonQuoted(p.pathText());
    out += ", \"type\": " + jsonQuoted(projecttype::rawValue(p.type));
    out += ", \"version\": " + jsonOptional(p.version);
    out += ", \"lastModified\": ";
    out += p.lastModified && daterange::contains(*p.lastModified) ? jsonQuoted(isoUtc(*p.lastModified)) : std::string("null");
    out += ", \"gitBranch\": " + jsonOptional(p.gitBranch);
    out += ", \"remotes\": [";
    for (qsizetype r = 0; r < p.remotes.size(); ++r) {
        const GitRemote& remote = p.remotes[r];
        out += (r ? ", " : "");
        out += "{\"id\": " + jsonQuoted(uuidText(remote.id)) + ", \"name\": " + jsonQuoted(remote.name) +
               ", \"url\": " + jsonQuoted(redactedUrl(remote.url)) + "}";
    }
    out += "]";
    out += ", \"hasUncommittedChanges\": ";
    out += p.hasUncommittedChanges ? "true" : "false";
    out += ", \"hasGit\": ";
    out += p.hasGit ? "true" : "false";
    out += ", \"repository\": " + repositoryJson(p);
    out += ", \"git\": " + gitJson(p);
    out += "}";
    return out;
}

void writeProjectJson(const QList<Project>& projects, const QByteArray&, std::ostream& out) {
    out << "[";
    for (qsizetype i = 0; i < projects.size(); ++i) out << (i ? ",\n  " : "\n  ") << projectJson(projects[i]);
    out << (projects.isEmpty() ? "]\n" : "\n]\n");
}

namespace {

// ANSI colours by what the cell says.
enum class Tint { none, green, yellow, red, magenta };

const char* ansi(Tint tint) {
    switch (tint) {
    case Tint::none: return "";
    case Tint::green: return "\033[32m";
    case Tint::yellow: return "\033[33m";
    case Tint::red: return "\033[31m";
    case Tint::magenta: return "\033[35m";
    }
    return "";
}

Tint syncTint(const Project& p) {
    if (!p.git) return Tint::none;
    const GitState& s = *p.git;
    if (s.problem != GitProblem::none || s.conflicted > 0) return Tint::red;
    if (s.bare) return Tint::none;
    if (s.behind.value_or(0) > 0) return Tint::red;
    if (s.ahead.value_or(0) > 0 || s.stashes > 0 || s.operation != GitOperation::none) return Tint::yellow;
    if (!attentionReasons(p).isEmpty()) return Tint::magenta;
    return Tint::green;
}

struct Cell {
    QString text;
    Tint tint = Tint::none;
};

QString changesText(const Project& p) {
    const QString text = synctext::changesText(p);
    return text.isEmpty() ? QStringLiteral("-") : text;
}

QString reasonsText(const Project& p) {
    QStringList texts;
    for (const AttentionReason r : attentionReasons(p)) texts.append(attentionText(r));
    return texts.isEmpty() ? QStringLiteral("-") : texts.join(QStringLiteral(", "));
}

} // namespace

void writeProjectTable(const QList<Project>& projects, const QByteArray&, std::ostream& out) {
    writeProjectTable(projects, out, TableOptions{});
}

void writeProjectTable(const QList<Project>& projects, std::ostream& out, const TableOptions& options) {
    std::vector<TableColumn> columns = {TableColumn::name,    TableColumn::kind,       TableColumn::version,
                                        TableColumn::branch,  TableColumn::sync,       TableColumn::changes,
                                        TableColumn::lastChange, TableColumn::path};
    if (options.reasons) columns.insert(columns.end() - 1, TableColumn::attention);
    std::vector<QList<TableCell>> rows;
    rows.reserve(size_t(projects.size()));
    const QString dash = QStringLiteral("-");
    for (const Project& p : projects) {
        const QString branch = synctext::branchText(p);
        const QString sync = p.hasGit ? synctext::syncSummary(p) : synctext::partOfText(p);
        const Tint tint = syncTint(p);
        QList<Cell> row = {{p.name},
                           {projecttype::rawValue(p.type)},
                           {p.version.value_or(dash)},
                           {branch.isEmpty() ? dash : branch, tint},
                           {sync.isEmpty() ? dash : sync, tint},
                           {changesText(p), p.hasUncommittedChanges ? Tint::yellow : Tint::none},
                           {p.lastModifiedText()}};
        if (options.reasons) row.append({reasonsText(p)});
        row.append({p.pathText()});
        QList<TableCell> cells;
        for (const Cell& cell : row) cells.append({cell.text, ansi(cell.tint)});
        rows.push_back(cells);
    }
    writeTable(columns, rows, options.terminalColumns, options.color, out, options.heading);
}
