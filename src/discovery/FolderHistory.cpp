#include "discovery/FolderHistory.h"

#include "discovery/GitService.h"
#include "discovery/Utf8.h"

namespace {

// The commit time git printed, or nothing when the run did not succeed or printed none.
std::optional<QDateTime> printedTime(const ProcessResult& result) {
    if (!result.succeeded()) return std::nullopt;
    const std::optional<QString> text = decodeUtf8(result.output);
    if (!text) return std::nullopt;
    return parseCommitTime(text->trimmed());
}

} // namespace

std::optional<QDateTime> lastCommitTouching(GitService& git, const QByteArray& repository, const QByteArray& folder) {
    const QString format = QStringLiteral("--format=%ct");
    QByteArray relative;
    if (folder.size() > repository.size() && folder.startsWith(repository)) {
        relative = folder.mid(repository.size());
        while (relative.startsWith('/')) relative.remove(0, 1);
    }
    // A path git would not get back unchanged through the argument text is not asked about.
    if (const std::optional<QString> path = decodeUtf8(relative); path && !path->isEmpty()) {
        const ProcessResult touched = git.runGitFull(
            {QStringLiteral("--literal-pathspecs"), QStringLiteral("log"), QStringLiteral("-1"), format,
             QStringLiteral("--"), *path},
            repository);
        if (touched.succeeded()) return printedTime(touched); // empty: no commit touched it
    }
    return printedTime(git.runGitFull({QStringLiteral("log"), QStringLiteral("-1"), format}, repository));
}
