// What the checks before each git run cost: the preflight of the repository's files and the
// per-repository environment (reading the configuration, its includes and the submodules'
// configurations), against the git process they precede.
//
//   bench_git_safety [ROOT] [CALLS]   (default /tmp/codeorchardist-bench-safety, 2000 calls)

#include "BenchSupport.h"
#include "discovery/GitEnvironment.h"
#include "discovery/GitPreflight.h"

#include <cstdio>

namespace {

std::string makeRepository(const std::string& root) {
    const std::string repo = root + "/repo";
    bench::makeDir(root);
    bench::makeDir(repo);
    bench::writeFile(repo + "/file", "x");
    bench::timeCommand({"/usr/bin/git", "-C", repo, "init", "-q", "-b", "main"});
    // A configuration of ordinary size with one include and three submodule folders.
    std::string config = "[core]\n\trepositoryformatversion = 0\n\tfilemode = true\n\tbare = false\n"
                         "[include]\n\tpath = extra.cfg\n"
                         "[remote \"origin\"]\n\turl = https://example.com/r.git\n"
                         "\tfetch = +refs/heads/*:refs/remotes/origin/*\n[branch \"main\"]\n\tremote = origin\n";
    for (int i = 0; i < 3; ++i) {
        const std::string name = "sub" + std::to_string(i);
        config += "[submodule \"" + name + "\"]\n\turl = https://example.com/" + name + ".git\n\tactive = true\n";
        bench::makeDir(repo + "/.git/modules");
        bench::makeDir(repo + "/.git/modules/" + name);
        bench::writeFile(repo + "/.git/modules/" + name + "/HEAD", "ref: refs/heads/main\n");
        bench::writeFile(repo + "/.git/modules/" + name + "/config", "[core]\n\tbare = false\n");
    }
    bench::writeFile(repo + "/.git/config", config);
    bench::writeFile(repo + "/.git/extra.cfg", "[lfs]\n\trepositoryformatversion = 0\n");
    return repo;
}

} // namespace

int main(int argc, char** argv) {
    const std::string root = argc > 1 ? argv[1] : "/tmp/codeorchardist-bench-safety";
    const int calls = argc > 2 ? std::atoi(argv[2]) : 2000;
    const std::string repo = makeRepository(root);
    const QByteArray folder = QByteArray::fromStdString(repo);
    QList<QByteArray> inherited;
    for (char** e = environ; e && *e; ++e) inherited.append(QByteArray(*e));
    const QList<QByteArray> base = gitenv::baseEnvironment(inherited);

    std::vector<double> preflight, environment, gitRun;
    size_t sink = 0;
    for (int round = 0; round < 5; ++round) {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < calls; ++i) sink += gitPreflightProblem(folder).has_value();
        preflight.push_back(bench::secondsSince(start) / calls);
        start = std::chrono::steady_clock::now();
        for (int i = 0; i < calls; ++i) sink += size_t(gitenv::forRepository(base, folder).size());
        environment.push_back(bench::secondsSince(start) / calls);
        gitRun.push_back(bench::timeCommand({"/usr/bin/git", "-C", repo, "branch", "--show-current"}));
    }
    const double p = bench::median(preflight), e = bench::median(environment), g = bench::median(gitRun);
    std::printf("preflight per git run:          median %.1f us (%d calls x 5 rounds)\n", p * 1e6, calls);
    std::printf("repository environment per run: median %.1f us\n", e * 1e6);
    std::printf("one git process:                median %.0f us\n", g * 1e6);
    std::printf("checks / git process:           %.1f %% (sink %zu)\n", (p + e) / g * 100, sink);
    return 0;
}
