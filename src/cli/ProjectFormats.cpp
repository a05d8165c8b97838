#include "cli/ProjectFormats.h"

#include "model/DateRange.h"

#include <QUuid>

#include <ostream>
#include <vector>

std::string jsonQuoted(const QString& text) {
    std::string out = "\"";
    for (const char c : text.toStdString()) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            if (u < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", u);
                out += buf;
            } else {
                out += c;
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
            << (p.lastModified && daterange::contains(*p.lastModified) ? jsonQuoted(isoUtc(*p.lastModified)) : std::string("null"));
        out << ", \"gitBranch\": " << jsonOptional(p.gitBranch);
        out << ", \"remotes\": [";
        for (qsizetype r = 0; r < p.remotes.size(); ++r) {
            const GitRemote& remote = p.remotes[r];
            out << (r ? ", " : "") << "{\"id\": " << jsonQuoted(uuidText(remote.id))
                << ", \"name\": " << jsonQuoted(remote.name) << ", \"url\": " << jsonQuoted(remote.url) << "}";
        }
        out << "]";
        out << ", \"hasUncommittedChanges\": " << (p.hasUncommittedChanges ? "true" : "false");
        out << ", \"hasGit\": " << (p.hasGit ? "true" : "false");
        out << "}";
    }
    out << (projects.isEmpty() ? "]\n" : "\n]\n");
}

void writeProjectTable(const QList<Project>& projects, const QByteArray&, std::ostream& out) {
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
    std::vector<qsizetype> widths(size_t(header.size()), 0);
    for (const QStringList& row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c) widths[size_t(c)] = std::max(widths[size_t(c)], row[c].size());
    }
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype c = 0; c < row.size(); ++c) {
            // Line breaks inside a field would break the columns; show them as spaces.
            QString cell = row[c];
            cell.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
            line += (c + 1 < row.size()) ? cell.leftJustified(widths[size_t(c)] + 2) : cell;
        }
        out << line.toStdString() << "\n";
    }
}
