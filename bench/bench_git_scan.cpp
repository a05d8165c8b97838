// The full scan of generated git repositories against shell loops that run the same four git
// commands per repository, serially and two repositories at a time (xargs -P 2), in the same
// run; then the scan with 1, 2 and 4 workers, each result compared with the one-worker scan.
//
//   bench_git_scan [ROOT] [REPOS] [RUNS]   (default /tmp/codeorchardist-bench-git, 200 repos, 5 runs)
//   bench_git_scan /tmp/codeorchardist-bench-git-1000 1000 3

#include "BenchSupport.h"
#include "discovery/GitJobPool.h"
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

QList<Project> withoutIds(QList<Project> projects) {
    for (Project& p : projects) {
        p.id = QUuid();
        for (GitRemote& r : p.remotes) r.id = QUuid();
    }
    return projects;
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

    // The four runs the scan makes for each repository, in the forms it uses.
    const std::string commands = "/usr/bin/git branch --show-current; /usr/bin/git remote -v; "
                                 "/usr/bin/git status --porcelain=v2 --branch --show-stash; "
                                 "/usr/bin/git log -1 --format=%ct%x00%h%x00%an%x00%s";
    const std::vector<std::string> serialLoop = {"/bin/sh", "-c",
                                                 "for d in '" + root + "'/repo*/; do cd \"$d\"; " + commands + "; done"};
    const std::vector<std::string> twoWayLoop = {
        "/bin/sh", "-c",
        "ls -d '" + root + "'/repo*/ | xargs -P 2 -n 1 /bin/sh -c 'cd \"$1\" && " + commands + "' worker"};

    GitService& git = GitService::shared();
    const QByteArray rootBytes = QByteArray::fromStdString(root);
    const auto scan = [&](int jobs, QList<Project>* out) {
        ProjectScanner scanner(git);
        const auto start = std::chrono::steady_clock::now();
        ScanOutcome outcome = scanner.startScan(ScanRequest{rootBytes, 10, jobs, nullptr}).result();
        const double seconds = bench::secondsSince(start);
        if (out) *out = std::move(outcome.projects);
        return seconds;
    };

    const int defaultJobs = GitJobPool::defaultWorkers();
    const std::vector<int> jobCounts = {1, 2, 4};
    QList<Project> serialResult;
    bench::timeCommand(serialLoop); // warm the cache
    scan(1, &serialResult);

    std::vector<double> serialTimes, twoWayTimes, defaultTimes;
    std::vector<std::vector<double>> jobTimes(jobCounts.size());
    bool identical = true;
    for (int i = 0; i < runs; ++i) {
        serialTimes.push_back(bench::timeCommand(serialLoop));
        twoWayTimes.push_back(bench::timeCommand(twoWayLoop));
        QList<Project> result;
        defaultTimes.push_back(scan(0, &result));
        identical = identical && withoutIds(result) == withoutIds(serialResult);
        for (size_t j = 0; j < jobCounts.size(); ++j) {
            jobTimes[j].push_back(scan(jobCounts[j], &result));
            identical = identical && withoutIds(result) == withoutIds(serialResult);
        }
    }
    const double serial = bench::median(serialTimes), twoWay = bench::median(twoWayTimes);
    const double full = bench::median(defaultTimes);
    std::printf("repositories found:               %lld (online processors: %d)\n",
                static_cast<long long>(serialResult.size()), defaultJobs);
    std::printf("serial shell loop (4 gits):       median %.0f ms over %d runs\n", serial * 1000, runs);
    std::printf("2-way loop (xargs -P 2):          median %.0f ms\n", twoWay * 1000);
    std::printf("full scan (default, %d workers):  median %.0f ms\n", defaultJobs, full * 1000);
    for (size_t j = 0; j < jobCounts.size(); ++j) {
        const double t = bench::median(jobTimes[j]);
        std::printf("scan --jobs %d:                    median %.0f ms  (%.2f x serial loop)\n", jobCounts[j], t * 1000,
                    t / serial);
    }
    std::printf("ratio full scan / 2-way loop:     %.2f (goal <= 0.90)\n", full / twoWay);
    std::printf("ratio full scan / serial loop:    %.2f\n", full / serial);
    std::printf("results identical to --jobs 1:    %s\n", identical ? "yes" : "NO");
    return identical ? 0 : 1;
}
