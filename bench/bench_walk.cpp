// The folder walk alone (no git) against `find` with the same pruning, on a generated tree
// of about 50,000 walked folders holding 2,000 projects, plus skipped and hidden folders
// full of subfolders and symbolic links. Warm cache; median of several runs.
//
//   bench_walk [ROOT] [RUNS]   (ROOT is generated when missing; default /tmp/codeorchardist-bench-walk)

#include "BenchSupport.h"
#include "discovery/ProjectScanner.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

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
    const auto walk = [&] {
        const auto start = std::chrono::steady_clock::now();
        found = size_t(scanner.scanProjects(rootBytes, 10).result().size());
        return bench::secondsSince(start);
    };

    bench::timeCommand(find); // warm the cache
    walk();
    std::vector<double> findTimes, walkTimes;
    for (int i = 0; i < runs; ++i) {
        findTimes.push_back(bench::timeCommand(find));
        walkTimes.push_back(walk());
    }
    const double f = bench::median(findTimes), w = bench::median(walkTimes);
    std::printf("projects found:        %zu\n", found);
    std::printf("find (same pruning):   median %.1f ms over %d runs\n", f * 1000, runs);
    std::printf("scanner walk:          median %.1f ms over %d runs\n", w * 1000, runs);
    std::printf("ratio walk / find:     %.2f (goal <= 0.60)\n", w / f);
    return 0;
}
