// A full scan of generated git repositories against a shell loop that runs the same four
// git commands per repository, serially, in the same run.
//
//   bench_git_scan [ROOT] [REPOS] [RUNS]   (default /tmp/codeorchardist-bench-git, 200 repos, 5 runs)

#include "BenchSupport.h"
#include "discovery/ProjectScanner.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

void generate(const std::string& root, int repos) {
    bench::makeDir(root);
    std::string script = "set -e\nexport GIT_AUTHOR_NAME=b GIT_AUTHOR_EMAIL=b@x GIT_COMMITTER_NAME=b GIT_COMMITTER_EMAIL=b@x\n";
    for (int i = 0; i < repos; ++i) {
        const std::string repo = root + "/repo" + std::to_string(i);
        bench::makeDir(repo);
        bench::writeFile(repo + "/package.json", "{\"name\":\"repo-" + std::to_string(i) + "\",\"version\":\"1.0.0\"}");
        for (int f = 0; f < 20; ++f) bench::writeFile(repo + "/file" + std::to_string(f) + ".js", "x");
        script += "cd '" + repo + "'; git init -q -b main; git add -A; git commit -qm init; "
                  "git remote add origin https://example.com/r" + std::to_string(i) + ".git\n";
        if (i % 3 == 0) script += "echo change > '" + repo + "/file0.js'\n";
    }
    bench::writeFile(root + "/generate.sh", script);
    bench::timeCommand({"/bin/sh", root + "/generate.sh"});
    bench::writeFile(root + "/.generated", "ok");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::string root = argc > 1 ? argv[1] : "/tmp/codeorchardist-bench-git";
    const int repos = argc > 2 ? std::atoi(argv[2]) : 200;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 5;
    struct stat st;
    if (::stat((root + "/.generated").c_str(), &st) != 0) {
        std::printf("generating %d repositories in %s ...\n", repos, root.c_str());
        generate(root, repos);
    }

    const std::string loop =
        "for d in '" + root + "'/repo*/; do cd \"$d\"; /usr/bin/git branch --show-current; /usr/bin/git remote -v; "
        "/usr/bin/git status --porcelain; /usr/bin/git log -1 --format=%ct; done";
    const std::vector<std::string> shell = {"/bin/sh", "-c", loop};
    // The same loop with the environment every scan gives git (no optional locks, no
    // fsmonitor): separates git's own behaviour under those switches from the scanner's cost.
    const std::vector<std::string> shellSameEnv = {
        "/bin/sh", "-c",
        "export GIT_OPTIONAL_LOCKS=0 GIT_CONFIG_COUNT=1 GIT_CONFIG_KEY_0=core.fsmonitor GIT_CONFIG_VALUE_0=false; " +
            loop};

    // The same four runs with the forms the scan uses today (porcelain v2 with branch and
    // stash headers, the last commit's summary): git's own share of any difference.
    const std::vector<std::string> shellNewForms = {
        "/bin/sh", "-c",
        "for d in '" + root + "'/repo*/; do cd \"$d\"; /usr/bin/git branch --show-current; /usr/bin/git remote -v; "
        "/usr/bin/git status --porcelain=v2 --branch --show-stash; "
        "/usr/bin/git log -1 '--format=%ct%x00%h%x00%an%x00%s'; done"};

    ProjectScanner& scanner = ProjectScanner::shared();
    const QByteArray rootBytes = QByteArray::fromStdString(root);
    size_t found = 0;
    const auto scan = [&] {
        const auto start = std::chrono::steady_clock::now();
        found = size_t(scanner.scanProjects(rootBytes, 10).result().size());
        return bench::secondsSince(start);
    };

    bench::timeCommand(shell);
    scan();
    std::vector<double> loopTimes, sameEnvTimes, newFormTimes, scanTimes;
    for (int i = 0; i < runs; ++i) {
        loopTimes.push_back(bench::timeCommand(shell));
        scanTimes.push_back(scan());
        sameEnvTimes.push_back(bench::timeCommand(shellSameEnv));
        newFormTimes.push_back(bench::timeCommand(shellNewForms));
    }
    const double l = bench::median(loopTimes), e = bench::median(sameEnvTimes), s = bench::median(scanTimes);
    const double n = bench::median(newFormTimes);
    std::printf("repositories found:             %zu\n", found);
    std::printf("shell loop (4 gits):            median %.0f ms over %d runs\n", l * 1000, runs);
    std::printf("shell loop, scan's git env:     median %.0f ms over %d runs\n", e * 1000, runs);
    std::printf("shell loop, the scan's forms:   median %.0f ms over %d runs\n", n * 1000, runs);
    std::printf("full scan:                      median %.0f ms over %d runs\n", s * 1000, runs);
    std::printf("ratio scan / loop:              %.2f (goal <= 1.05)\n", s / l);
    std::printf("ratio scan / loop with env:     %.2f\n", s / e);
    return 0;
}
