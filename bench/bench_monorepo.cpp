// The scan of one monorepo of real size: PACKAGES packages (each a project without a ".git" of
// its own) in a repository of COMMITS commits, where the first five packages were touched only
// by the first commit, so that finding their last change walks the whole history. Prints the
// scan's median wall time and, for comparison, the same number of "log -1 -- <package>" runs
// made one after another from a shell.
//
//   bench_monorepo [ROOT] [PACKAGES] [COMMITS] [RUNS]   (default /tmp/codeorchardist-bench-mono, 40, 20000, 5)

#include "BenchSupport.h"
#include "discovery/ProjectScanner.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

// The history as a git fast-import stream: one commit adding every package, then one commit
// a package (skipping the first five) in turn.
void generate(const std::string& root, int packages, int commits) {
    bench::makeDir(root);
    const std::string repo = root + "/mono";
    bench::makeDir(repo);
    std::string stream;
    auto commit = [&](int n, const std::string& changes) {
        const std::string message = "change " + std::to_string(n);
        stream += "commit refs/heads/main\ncommitter b <b@x> " + std::to_string(1700000000 + n * 60) + " +0000\n";
        stream += "data " + std::to_string(message.size()) + "\n" + message + "\n";
        stream += changes;
    };
    std::string first = "M 644 inline package.json\ndata 20\n{\"name\":\"monorepo\"}\n";
    for (int p = 0; p < packages; ++p) {
        const std::string manifest = "{\"name\":\"@mono/p" + std::to_string(p) + "\",\"version\":\"1.0.0\"}";
        first += "M 644 inline packages/p" + std::to_string(p) + "/package.json\ndata " +
                 std::to_string(manifest.size()) + "\n" + manifest + "\n";
    }
    commit(0, first);
    for (int n = 1; n < commits; ++n) {
        const int p = 5 + n % std::max(1, packages - 5);
        const std::string body = std::to_string(n);
        commit(n, "M 644 inline packages/p" + std::to_string(p) + "/index.js\ndata " + std::to_string(body.size()) +
                      "\n" + body + "\n");
    }
    bench::writeFile(root + "/history.fi", stream);
    bench::writeFile(root + "/generate.sh", "set -e\ncd '" + repo + "'\ngit init -q -b main\n"
                                            "git fast-import --quiet < ../history.fi\ngit checkout -q -f main\n");
    bench::timeCommand({"/bin/sh", root + "/generate.sh"});
    bench::writeFile(root + "/.generated", "ok");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::string root = argc > 1 ? argv[1] : "/tmp/codeorchardist-bench-mono";
    const int packages = argc > 2 ? std::atoi(argv[2]) : 40;
    const int commits = argc > 3 ? std::atoi(argv[3]) : 20000;
    const int runs = argc > 4 ? std::atoi(argv[4]) : 5;
    struct stat st;
    if (::stat((root + "/.generated").c_str(), &st) != 0) {
        std::printf("generating a monorepo of %d packages and %d commits in %s ...\n", packages, commits, root.c_str());
        generate(root, packages, commits);
    }

    ProjectScanner scanner;
    std::vector<double> scans;
    qsizetype found = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        found = scanner.scanProjects(QByteArray::fromStdString(root), 10).result().size();
        scans.push_back(bench::secondsSince(start));
    }
    if (found != packages + 1) {
        std::fprintf(stderr, "expected %d projects, found %lld: remove %s and run again\n", packages + 1,
                     static_cast<long long>(found), root.c_str());
        return 1;
    }
    std::string loop = "cd '" + root + "/mono'";
    for (int p = 0; p < packages; ++p) loop += "; /usr/bin/git log -1 --format=%ct -- packages/p" + std::to_string(p);
    std::vector<double> shells;
    for (int run = 0; run < runs; ++run) shells.push_back(bench::timeCommand({"/bin/sh", "-c", loop}));
    std::printf("monorepo of %d packages, %d commits: %lld projects\n", packages, commits, static_cast<long long>(found));
    std::printf("  scan (walk, git state, last change of every package): median %.3f s over %d runs\n",
                bench::median(scans), runs);
    std::printf("  shell loop of the %d history walks alone, serially:    median %.3f s\n", packages,
                bench::median(shells));
    return 0;
}
