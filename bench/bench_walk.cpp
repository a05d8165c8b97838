// The folder walk alone (no git) against `find` with the same pruning (and `fdfind -j2` when
// installed), on a generated tree of about 50,000 walked folders holding 2,000 projects, plus
// skipped and hidden folders full of subfolders and symbolic links; the walk as scans make it
// (with a helper thread) and on one thread (one git job). Warm cache; median of
// several runs.
//
//   bench_walk [ROOT] [RUNS]   (ROOT is generated when missing; default /tmp/codeorchardist-bench-walk)
//
// The large mode scans a generated tree of 1,010,100 folders: wall time, peak memory and how
// often the progress changed when looked at every progress interval; then a second scan is
// stopped after 2 s and the time the stop took is printed.
//
//   bench_walk --million [ROOT]   (default /tmp/codeorchardist-bench-million, about 4 GB of folders)

#include "BenchSupport.h"
#include "discovery/ProjectScanner.h"

#include <QCoreApplication>

#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <thread>

namespace {

// "a12" and the like (spelled out: GCC 12 warns wrongly about a literal plus to_string).
std::string numbered(char letter, int n) {
    std::string name(1, letter);
    name += std::to_string(n);
    return name;
}

// 100 x 100 x 100 leaves below 100 x 100 inner folders; every hundredth leaf is a project.
void generateMillion(const std::string& root) {
    bench::makeDir(root);
    const int rootFd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY);
    for (int a = 0; a < 100; ++a) {
        const std::string an = numbered('a', a);
        ::mkdirat(rootFd, an.c_str(), 0755);
        const int aFd = ::openat(rootFd, an.c_str(), O_RDONLY | O_DIRECTORY);
        for (int b = 0; b < 100; ++b) {
            const std::string bn = numbered('b', b);
            ::mkdirat(aFd, bn.c_str(), 0755);
            const int bFd = ::openat(aFd, bn.c_str(), O_RDONLY | O_DIRECTORY);
            for (int c = 0; c < 100; ++c) {
                const std::string cn = numbered('c', c);
                ::mkdirat(bFd, cn.c_str(), 0755);
                if (c == 0) {
                    const int f = ::openat(bFd, (cn + "/package.json").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                    const char json[] = "{\"name\":\"p\"}";
                    if (f >= 0 && ::write(f, json, sizeof json - 1) < 0) std::perror("write");
                    if (f >= 0) ::close(f);
                }
            }
            ::close(bFd);
        }
        ::close(aFd);
    }
    ::close(rootFd);
    bench::writeFile(root + "/.generated", "ok");
}

int runMillion(const std::string& root) {
    struct stat st;
    if (::stat((root + "/.generated").c_str(), &st) != 0) {
        std::printf("generating 1,010,100 folders in %s ...\n", root.c_str());
        const auto start = std::chrono::steady_clock::now();
        generateMillion(root);
        std::printf("generated in %.1f s\n", bench::secondsSince(start));
    }
    GitService git;
    ProjectScanner scanner(git);
    const QByteArray rootBytes = QByteArray::fromStdString(root);

    // A full scan, its progress looked at as the window does.
    auto control = std::make_shared<ScanControl>();
    auto start = std::chrono::steady_clock::now();
    QFuture<ScanOutcome> future = scanner.startScan(ScanRequest{rootBytes, 10, 0, control});
    int reports = 0, looks = 0;
    ScanProgress last;
    while (!future.isFinished()) {
        std::this_thread::sleep_for(kScanProgressInterval);
        ++looks;
        const ScanProgress now = control->progress();
        if (!(now == last)) ++reports;
        last = now;
    }
    const double wall = bench::secondsSince(start);
    const ScanOutcome outcome = future.result();
    struct rusage usage;
    ::getrusage(RUSAGE_SELF, &usage);
    const ScanProgress end = control->progress();
    std::printf("folders walked:        %lld\n", static_cast<long long>(end.folders));
    std::printf("projects found:        %lld\n", static_cast<long long>(outcome.projects.size()));
    std::printf("full scan wall time:   %.2f s\n", wall);
    std::printf("peak memory (RSS):     %.1f MB\n", usage.ru_maxrss / 1024.0);
    std::printf("progress looked at:    %d times, changed %d times (%.1f per second)\n", looks, reports,
                reports / wall);

    // The same scan, stopped after 2 s.
    control = std::make_shared<ScanControl>();
    future = scanner.startScan(ScanRequest{rootBytes, 10, 0, control});
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const qint64 walkedBeforeStop = control->progress().folders;
    start = std::chrono::steady_clock::now();
    control->requestStop();
    const bool stopped = future.result().stopped;
    std::printf("stopped after 2 s:     %s, %lld folders walked, the stop took %.1f ms\n", stopped ? "yes" : "NO",
                static_cast<long long>(walkedBeforeStop), bench::secondsSince(start) * 1000);
    return 0;
}

void generate(const std::string& root) {
    bench::makeDir(root);
    for (int g = 0; g < 40; ++g) {
        const std::string group = root + "/group" + std::to_string(g);
        bench::makeDir(group);
        for (int p = 0; p < 50; ++p) {
            const std::string project = group + "/project" + std::to_string(p);
            bench::makeDir(project);
            const int n = g * 50 + p;
            switch (n % 4) {
            case 0:
            case 1:
                bench::writeFile(project + "/package.json",
                                 "{\"name\":\"app-" + std::to_string(n) + "\",\"version\":\"1.0." + std::to_string(n) +
                                     "\",\"dependencies\":{\"react\":\"18\"}}");
                break;
            case 2:
                bench::writeFile(project + "/pom.xml", "<project><artifactId>svc-" + std::to_string(n) +
                                                           "</artifactId><version>2.0</version></project>");
                break;
            default:
                bench::writeFile(project + "/pyproject.toml",
                                 "[project]\nname = \"tool-" + std::to_string(n) + "\"\nversion = \"0.1\"\n");
            }
            bench::writeFile(project + "/README.md", "readme");
            bench::makeDir(project + "/src");
            for (int m = 0; m < 8; ++m) {
                const std::string module = project + "/src/module" + std::to_string(m);
                bench::makeDir(module);
                bench::writeFile(module + "/index.js", "x");
                for (int s = 0; s < 2; ++s) {
                    bench::makeDir(module + "/part" + std::to_string(s));
                    bench::writeFile(module + "/part" + std::to_string(s) + "/a.js", "x");
                }
            }
            // Pruned subtrees: dependencies, build output, a hidden cache.
            for (const char* skipped : {"node_modules", "build", ".cache"}) {
                const std::string base = project + "/" + skipped;
                bench::makeDir(base);
                for (int k = 0; k < 5; ++k) {
                    bench::makeDir(base + "/pkg" + std::to_string(k));
                    bench::makeDir(base + "/pkg" + std::to_string(k) + "/lib");
                }
            }
            ::symlink("..", (project + "/parent-link").c_str());
            ::symlink("src", (project + "/src-link").c_str());
        }
    }
    bench::writeFile(root + "/.generated", "ok");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc > 1 && std::string(argv[1]) == "--million")
        return runMillion(argc > 2 ? argv[2] : "/tmp/codeorchardist-bench-million");
    const std::string root = argc > 1 ? argv[1] : "/tmp/codeorchardist-bench-walk";
    const int runs = argc > 2 ? std::atoi(argv[2]) : 7;
    struct stat st;
    if (::stat((root + "/.generated").c_str(), &st) != 0) {
        std::printf("generating %s ...\n", root.c_str());
        generate(root);
    }

    std::vector<std::string> find = {"/usr/bin/find", root, "-mindepth", "1", "-maxdepth", "10", "("};
    bool first = true;
    for (const QByteArray& name : ProjectScanner::skipDirectories()) {
        if (!first) find.push_back("-o");
        find.insert(find.end(), {"-name", name.toStdString()});
        first = false;
    }
    find.insert(find.end(), {"-o", "-name", ".*", ")", "-prune", "-o", "-type", "d", "-print"});

    GitService git;
    ProjectScanner scanner(git);
    const QByteArray rootBytes = QByteArray::fromStdString(root);
    size_t found = 0;
    // The default scan walks with a helper thread; one job keeps the walk on one thread.
    const auto walk = [&](int jobs) {
        const auto start = std::chrono::steady_clock::now();
        found = size_t(scanner.startScan(ScanRequest{rootBytes, 10, jobs, nullptr}).result().projects.size());
        return bench::secondsSince(start);
    };

    // fd prunes hidden entries itself; the skipped names are excluded the same way.
    std::vector<std::string> fd = {"/usr/bin/fdfind", "-j2", "--type", "d", "--max-depth", "10", "--no-ignore"};
    for (const QByteArray& name : ProjectScanner::skipDirectories()) fd.insert(fd.end(), {"--exclude", name.toStdString()});
    fd.insert(fd.end(), {".", root});
    const bool haveFd = ::access(fd[0].c_str(), X_OK) == 0;

    bench::timeCommand(find); // warm the cache
    walk(0);
    std::vector<double> findTimes, walkTimes, serialTimes, fdTimes;
    for (int i = 0; i < runs; ++i) {
        findTimes.push_back(bench::timeCommand(find));
        walkTimes.push_back(walk(0));
        serialTimes.push_back(walk(1));
        if (haveFd) fdTimes.push_back(bench::timeCommand(fd));
    }
    const double f = bench::median(findTimes), w = bench::median(walkTimes), s = bench::median(serialTimes);
    std::printf("projects found:        %zu\n", found);
    std::printf("find (same pruning):   median %.1f ms over %d runs\n", f * 1000, runs);
    if (haveFd) std::printf("fdfind -j2:            median %.1f ms\n", bench::median(fdTimes) * 1000);
    else std::printf("fdfind -j2:            not installed\n");
    std::printf("scanner walk:          median %.1f ms over %d runs\n", w * 1000, runs);
    std::printf("  on one thread:       median %.1f ms (ratio to find %.2f)\n", s * 1000, s / f);
    std::printf("ratio walk / find:     %.2f (goal <= 0.35)\n", w / f);
    return 0;
}
