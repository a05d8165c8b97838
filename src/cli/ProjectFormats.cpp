#include "cli/ProjectFormats.h"

#include "cli/TerminalText.h"
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

void writeProjectJson(const QList<Project>& projects, const QByteArray&, std::ostream& out) {
    out << "[";
    for (qsizetype i = 0; i < projects.size(); ++i) {
        const Project& p = projects[i];
        out << (i ? ",\n  " : "\n  ") << "{";
        out << "\"id\": " << jsonQuoted(uuidText(p.id));
        out << ", \"name\": " << jsonQuoted(p.name);
        out << ", \"path\": " << jsonQuoted(p.pathText());
        out << ", \"type\": " << jsonQuoted(projecttype::rawValue(p.type));
        out << ", \"version\": " << jsonOptional(p.version);
        out << ", \"lastModified\": "
            << (p.lastModified ? jsonQuoted(isoUtc(*p.lastModified)) : std::string("null"));
        out << ", \"gitBranch\": " << jsonOptional(p.gitBranch);
        out << ", \"remotes\": [";
        for (qsizetype r = 0; r < p.remotes.size(); ++r) {
            const GitRemote& remote = p.remotes[r];
            out << (r ? ", " : "") << "{\"id\": " << jsonQuoted(uuidText(remote.id))
                << ", \"name\": " << jsonQuoted(remote.name) << ", \"url\": " << jsonQuoted(redactedUrl(remote.url)) << "}";
        }
        out << "]";
        out << ", \"hasUncommittedChanges\": " << (p.hasUncommittedChanges ? "true" : "false");
        out << ", \"hasGit\": " << (p.hasGit ? "true" : "false");
        out << "}";
    }
    out << (projects.isEmpty() ? "]\n" : "\n]\n");
}

void writeProjectTable(const QList<Project>& projects, const QByteArray& root, std::ostream& out) {
    writeFittedProjectTable(projects, root, out, std::nullopt);
}

void writeFittedProjectTable(const QList<Project>& projects, const QByteArray&, std::ostream& out,
                       std::optional<int> terminalColumns) {
    const QStringList header = {QStringLiteral("NAME"),    QStringLiteral("KIND"),        QStringLiteral("VERSION"),
                                QStringLiteral("BRANCH"),  QStringLiteral("CHANGES"),     QStringLiteral("LAST CHANGE"),
                                QStringLiteral("PATH")};
    std::vector<QStringList> rows;
    rows.reserve(size_t(projects.size()) + 1);
    rows.push_back(header);
    const QString dash = QStringLiteral("-");
    for (const Project& p : projects) {
        rows.push_back({p.name, projecttype::rawValue(p.type), p.version.value_or(dash),
                        p.gitBranch ? (p.gitBranch->isEmpty() ? QStringLiteral("(detached)") : *p.gitBranch) : dash,
                        p.hasGit ? (p.hasUncommittedChanges ? QStringLiteral("modified") : QStringLiteral("clean")) : dash,
                        p.lastModifiedText(), p.pathText()});
    }
    // Text from the scanned folders never reaches the terminal raw; columns are measured in
    // terminal display columns.
    for (QStringList& row : rows) {
        for (QString& cell : row) cell = terminaltext::scrubbed(cell);
    }
    std::vector<int> widths(size_t(header.size()), 0);
    for (const QStringList& row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c)
            widths[size_t(c)] = std::max(widths[size_t(c)], terminaltext::displayWidth(row[c]));
    }
    // On a terminal the last column is shortened so that a line fits its width.
    std::optional<int> lastColumnRoom;
    if (terminalColumns) {
        constexpr int minimumRoom = 12;
        int before = 0;
        for (size_t c = 0; c + 1 < widths.size(); ++c) before += widths[c] + 2;
        lastColumnRoom = std::max(minimumRoom, *terminalColumns - before);
    }
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c + 1 < row.size())
                line += terminaltext::padded(row[c], widths[size_t(c)] + 2);
            else
                line += lastColumnRoom ? terminaltext::elidedMiddle(row[c], *lastColumnRoom) : row[c];
        }
        out << line.toStdString() << "\n";
    }
}
