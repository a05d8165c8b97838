// Live state: how soon a change made by the real git shows in the view model, what an idle
// process with watched repositories costs, and how many watches real-size repositories use.
//
//   bench_live latency [RUNS]     commit, checkout, stash and edit, RUNS each (default 7):
//                                 from git's end to the refreshed record being applied
//   bench_live idle [REPOS]       CPU time and git runs over BENCH_IDLE_SECONDS (default 60)
//                                 idle seconds with REPOS (default 200) watched repositories
//   bench_live watches [REPOS]    watches used for REPOS (default 200) copies of a repository
//                                 with a few hundred folders, or the repositories under
//                                 BENCH_REPOS, against the budget
//
// Repositories are made under BENCH_DIR (default /tmp/codeorchardist-bench-live).

#include "BenchSupport.h"
#include "discovery/GitService.h"
#include "discovery/ProjectScanner.h"
#include "discovery/WatchBudget.h"
#include "state/LiveUpdates.h"
#include "state/ProjectsViewModel.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sys/resource.h>

namespace {

std::string benchDir() {
    const char* dir = std::getenv("BENCH_DIR");
    return dir && *dir ? dir : "/tmp/codeorchardist-bench-live";
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QEventLoop loop;
        QTimer::singleShot(1, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

void spin(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

int shell(const std::string& script) { return std::system(("/bin/sh -c '" + script + "' >/dev/null 2>&1").c_str()); }

const char* kIdentity = "export GIT_AUTHOR_NAME=b GIT_AUTHOR_EMAIL=b@x GIT_COMMITTER_NAME=b GIT_COMMITTER_EMAIL=b@x; ";

// `count` small repositories under `root`.
void makeRepositories(const std::string& root, int count, int folders) {
    shell("rm -rf " + root + " && mkdir -p " + root);
    const std::string seed = root + "/.seed";
    std::string script = std::string(kIdentity) + "mkdir -p " + seed + " && cd " + seed + " && git init -q -b main";
    for (int f = 0; f < folders; ++f) script += " && mkdir -p d" + std::to_string(f % 20) + "/s" + std::to_string(f) + " && echo x > d" + std::to_string(f % 20) + "/s" + std::to_string(f) + "/f";
    script += " && echo x > top && git add -A && git commit -qm init";
    shell(script);
    for (int i = 0; i < count; ++i) shell("git clone -q " + seed + " " + root + "/repo" + std::to_string(i));
    shell("rm -rf " + seed);
}

struct Window {
    QTemporaryDir settingsDir;
    GitService git;
    ProjectScanner scanner;
    std::unique_ptr<ProjectsViewModel> model;

    explicit Window(QByteArray gitExecutable = "/usr/bin/git") : git(std::move(gitExecutable)), scanner(git) {
        auto settings = std::make_shared<QSettings>(settingsDir.filePath("s.ini"), QSettings::IniFormat);
        model = std::make_unique<ProjectsViewModel>(scanner, settings, PlatformServices{});
    }
    void open(const std::string& root, int budget = 0) {
        if (budget > 0) model->liveUpdates()->watcher().setBudget(budget);
        bool done = false;
        QObject::connect(model.get(), &ProjectsViewModel::scanFinished, [&done] { done = true; });
        model->chooseFolder(QUrl::fromLocalFile(QString::fromStdString(root)));
        waitUntil([&] { return done; }, 600000);
        waitUntil([&] { return !model->liveUpdates()->watcher().planning(); }, 600000);
    }
    std::optional<Project> at(const QByteArray& path) const {
        for (const Project& p : model->projects())
            if (p.path == path) return p;
        return std::nullopt;
    }
};

int latency(int runs) {
    const std::string root = benchDir() + "/latency";
    makeRepositories(root, 5, 30);
    Window window;
    window.open(root);
    const QByteArray repo = QByteArray::fromStdString(root + "/repo0");
    struct Op {
        const char* name;
        std::function<std::string(int)> script;
    };
    const Op ops[] = {
        {"commit", [](int i) { return "git commit -q --allow-empty -m c" + std::to_string(i); }},
        {"checkout", [](int i) { return "git checkout -q -b b" + std::to_string(i); }},
        {"stash", [](int i) { return "echo " + std::to_string(i) + " > top && git stash -q"; }},
        {"edit", [](int i) { return "echo e" + std::to_string(i) + " > d0/s0/f"; }},
    };
    std::printf("%-10s %10s %10s  (ms from git's end to the record applied, %d runs)\n", "change", "median", "max", runs);
    for (const Op& op : ops) {
        std::vector<double> ms;
        for (int i = 0; i < runs; ++i) {
            const std::optional<Project> before = window.at(repo);
            shell(std::string(kIdentity) + "cd " + repo.toStdString() + " && " + op.script(i));
            const auto start = std::chrono::steady_clock::now();
            const bool seen = waitUntil([&] { return window.at(repo) && window.at(repo)->id != before->id; }, 10000);
            ms.push_back(seen ? bench::secondsSince(start) * 1000 : 10000);
            // The edit stays; the next run's edit changes the file again.
            if (std::string(op.name) == "edit") shell("cd " + repo.toStdString() + " && git checkout -q -- .");
            waitUntil([&] { return window.model->liveUpdates()->watcher().idle() && !window.model->liveUpdates()->busy(); }, 10000);
            spin(50);
        }
        std::printf("%-10s %10.0f %10.0f\n", op.name, bench::median(ms), *std::max_element(ms.begin(), ms.end()));
    }
    return 0;
}

double cpuSeconds(int who) {
    rusage usage{};
    ::getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

int idle(int repos) {
    const char* env = std::getenv("BENCH_IDLE_SECONDS");
    const int seconds = env && std::atoi(env) > 0 ? std::atoi(env) : 60;
    const std::string root = benchDir() + "/idle";
    makeRepositories(root, repos, 10);
    // Every git run of the window appends a line to the count file.
    const std::string counter = benchDir() + "/git-runs";
    const std::string wrapper = benchDir() + "/counting-git";
    bench::writeFile(wrapper, "#!/bin/sh\necho run >> " + counter + "\nexec /usr/bin/git \"$@\"\n");
    ::chmod(wrapper.c_str(), 0755);
    Window window(QByteArray::fromStdString(wrapper));
    window.open(root);
    spin(2000); // the last reads of the scan settle
    shell("rm -f " + counter);
    int live = 0;
    for (const Project& p : window.model->projects()) live += window.model->liveUpdates()->watchedLive(p.path);
    const int rereads = window.model->liveUpdates()->rereadCount();
    const double self = cpuSeconds(RUSAGE_SELF), children = cpuSeconds(RUSAGE_CHILDREN);
    spin(seconds * 1000);
    const double used = cpuSeconds(RUSAGE_SELF) - self, childUsed = cpuSeconds(RUSAGE_CHILDREN) - children;
    FILE* f = std::fopen(counter.c_str(), "r");
    int runs = 0;
    for (int c; f && (c = std::fgetc(f)) != EOF;) runs += c == '\n';
    if (f) std::fclose(f);
    std::printf("idle %d s, %d repositories (%d watched live, %d watches of a budget of %d)\n", seconds,
                int(window.model->projects().size()), live, window.model->liveUpdates()->watcher().watchCount(),
                window.model->liveUpdates()->watcher().budget());
    std::printf("CPU time: %.3f s of the process (%.3f s per minute), %.3f s of children; git runs: %d; re-reads: %d\n",
                used, used * 60 / seconds, childUsed, runs, window.model->liveUpdates()->rereadCount() - rereads);
    return 0;
}

int watches(int repos) {
    const char* given = std::getenv("BENCH_REPOS");
    std::string root = given && *given ? given : benchDir() + "/watches";
    if (!given || !*given) makeRepositories(root, repos, 300);
    const auto start = std::chrono::steady_clock::now();
    Window window;
    window.open(root);
    const RepositoryWatcher& watcher = window.model->liveUpdates()->watcher();
    int live = 0;
    qint64 needed = 0;
    for (const Project& p : window.model->projects()) {
        live += watcher.liveState(p.path) == RepositoryWatcher::Live::live;
        needed += watchplan::plan(WatchTarget::of(p), window.git).size();
    }
    std::printf("%d repositories under %s: %d watches in use of a budget of %d (system limit %d); "
                "%d watched live, %d not; all of them would need %lld; root folders %s; scan and plan %.1f s\n",
                int(window.model->projects().size()), root.c_str(), watcher.watchCount(), watcher.budget(),
                watchbudget::systemLimit().value_or(-1), live, int(window.model->projects().size()) - live,
                static_cast<long long>(needed), watcher.rootWatched() ? "all watched" : "not all watched",
                bench::secondsSince(start));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::string what = argc > 1 ? argv[1] : "latency";
    const int n = argc > 2 ? std::atoi(argv[2]) : 0;
    if (what == "latency") return latency(n > 0 ? n : 7);
    if (what == "idle") return idle(n > 0 ? n : 200);
    if (what == "watches") return watches(n > 0 ? n : 200);
    std::fprintf(stderr, "usage: bench_live latency|idle|watches [N]\n");
    return 2;
}
