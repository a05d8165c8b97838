#include "cli/GitJson.h"

#include "cli/ProjectFormats.h"
#include "model/Attention.h"

namespace {

std::string number(const std::optional<int>& n) { return n ? std::to_string(*n) : std::string("null"); }

std::string optionalKey(const QString& key) { return key.isEmpty() ? std::string("null") : jsonQuoted(key); }

std::string pathJson(const std::optional<QByteArray>& path) {
    return path ? jsonQuoted(QString::fromUtf8(*path)) : std::string("null");
}

} // namespace

std::string repositoryJson(const Project& project) { return pathJson(project.repository); }

std::string gitJson(const Project& project) {
    if (!project.hasGit || !project.git) return "null";
    const GitState& s = *project.git;
    std::string out = "{";
    out += "\"commit\": " + jsonOptional(s.commit);
    out += ", \"upstream\": " + jsonOptional(s.upstream);
    out += ", \"ahead\": " + number(s.ahead);
    out += ", \"behind\": " + number(s.behind);
    out += ", \"stashes\": " + std::to_string(s.stashes);
    out += ", \"staged\": " + std::to_string(s.staged);
    out += ", \"unstaged\": " + std::to_string(s.unstaged);
    out += ", \"untracked\": " + std::to_string(s.untracked);
    out += ", \"conflicted\": " + std::to_string(s.conflicted);
    out += ", \"operation\": " + optionalKey(gitOperationKey(s.operation));
    out += ", \"worktreeOf\": " + pathJson(s.worktreeOf);
    out += ", \"bare\": ";
    out += s.bare ? "true" : "false";
    out += ", \"lastCommit\": ";
    if (s.lastCommit) {
        out += "{\"id\": " + jsonQuoted(s.lastCommit->id) + ", \"author\": " + jsonQuoted(s.lastCommit->author) +
               ", \"subject\": " + jsonQuoted(s.lastCommit->subject) + "}";
    } else {
        out += "null";
    }
    out += ", \"lastFetched\": " +
           (s.lastFetched ? jsonQuoted(s.lastFetched->toUTC().toString(Qt::ISODate)) : std::string("null"));
    out += ", \"problem\": " + optionalKey(gitProblemKey(s.problem));
    const QStringList reasons = attentionKeys(project);
    out += ", \"needsAttention\": ";
    out += reasons.isEmpty() ? "false" : "true";
    out += ", \"attention\": [";
    for (qsizetype i = 0; i < reasons.size(); ++i) out += (i ? ", " : "") + jsonQuoted(reasons[i]);
    out += "]}";
    return out;
}
