#include "discovery/GitEnvironment.h"
#include "discovery/GitOutput.h"
#include "discovery/GitPreflight.h"
#include "discovery/GitService.h"

QList<QByteArray> GitService::fetchEnvironment(const QByteArray& folder) {
    return gitenv::forFetch(m_environment, folder);
}

FetchResult GitService::fetch(const QByteArray& folder, const std::atomic<bool>* cancel) {
    if (const auto unsafe = gitPreflightProblem(folder)) return {GitProblem::notARepository, *unsafe};
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
