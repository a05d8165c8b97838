#include "discovery/GitOutput.h"
#include "discovery/GitService.h"

namespace {

bool hasVariable(const QList<QByteArray>& env, const QByteArray& name) {
    const QByteArray prefix = name + '=';
    for (const QByteArray& entry : env) {
        if (entry.startsWith(prefix)) return true;
    }
    return false;
}

void setVariable(QList<QByteArray>& env, const QByteArray& name, const QByteArray& value) {
    const QByteArray prefix = name + '=';
    env.removeIf([&](const QByteArray& entry) { return entry.startsWith(prefix); });
    env.append(prefix + value);
}

} // namespace

QList<QByteArray> GitService::fetchEnvironment(const QByteArray& folder) {
    QList<QByteArray> env = m_environment;
    setVariable(env, "GIT_TERMINAL_PROMPT", "0");
    if (hasVariable(env, "GIT_SSH_COMMAND") || hasVariable(env, "GIT_SSH")) return env;
    // An SSH command the user configured wins over the environment's only if the environment
    // leaves GIT_SSH_COMMAND unset.
    const ProcessResult configured =
        runGitFull({QStringLiteral("config"), QStringLiteral("--get"), QStringLiteral("core.sshCommand")}, folder);
    if (configured.succeeded() && !configured.output.trimmed().isEmpty()) return env;
    setVariable(env, "GIT_SSH_COMMAND", "ssh -o BatchMode=yes");
    return env;
}

FetchResult GitService::fetch(const QByteArray& folder, const std::atomic<bool>* cancel) {
    ProcessRequest request;
    request.program = m_git;
    request.arguments = {"fetch", "--all", "--prune", "--quiet"};
    request.workingDirectory = folder;
    request.environment = fetchEnvironment(folder);
    request.timeout = m_fetchTimeout;
    request.cancel = cancel;
    // Fetches wait on the network, not on the disk: they run beside the reads.
    const ProcessResult result = runProcessFull(request);
    const RunProblem problem = problemOf(result, gitExecutableExists());
    return {problem.problem, problem.detail};
}
