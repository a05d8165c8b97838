// Cost of the search filter per keystroke over 10,000 projects: the filter alone, and the view
// model's round trip (filtering, comparing with the previous list, updating the list model).
//
//   bench_filter [project count]

#include "discovery/GitService.h"
#include "discovery/ProjectScanner.h"
#include "state/ProjectFilter.h"
#include "state/ProjectsViewModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const kWords[] = {"api", "server", "client", "web", "mobile", "core", "utils", "data",
                              "billing", "auth", "gateway", "Café", "straße", "notes", "infra", "tools"};
const char* const kGroups[] = {"work", "clients/acme", "personal", "oss", "archive/2024", "experiments"};

QString nameFor(int i) {
    return QStringLiteral("%1-%2-%3").arg(QString::fromUtf8(kWords[i % 16]), QString::fromUtf8(kWords[(i / 16) % 16])).arg(i);
}

QList<Project> syntheticProjects(int count) {
    QList<Project> projects;
    projects.reserve(count);
    for (int i = 0; i < count; ++i) {
        Project p;
        p.id = QUuid::createUuid();
        p.name = nameFor(i);
        p.path = "/home/developer/dev/" + QByteArray(kGroups[i % 6]) + '/' + p.name.toUtf8();
        p.type = projecttype::allCases[size_t(i % 7)];
        if (i % 3 != 0) p.gitBranch = i % 2 ? QStringLiteral("main") : QStringLiteral("feature/search-%1").arg(i % 50);
        p.hasUncommittedChanges = i % 5 == 0;
        projects.append(p);
    }
    ProjectScanner::sortByName(projects);
    return projects;
}

// Each prefix of each query is one keystroke.
const QStringList kQueries = {QStringLiteral("api-serv"), QStringLiteral("CLIENTS/ACME"), QStringLiteral("café"),
                              QStringLiteral("feature/search-4"), QStringLiteral("zzz-no-match")};

struct Figures {
    double meanMs = 0;
    double maxMs = 0;
    double p95Ms = 0;
    double medianMs = 0;
    int keystrokes = 0;
};

template <typename F>
Figures timeKeystrokes(int rounds, F&& keystroke) {
    std::vector<double> samples;
    for (int round = 0; round < rounds; ++round) {
        for (const QString& query : kQueries) {
            for (qsizetype length = 1; length <= query.size(); ++length) {
                QElapsedTimer timer;
                timer.start();
                keystroke(query.left(length));
                samples.push_back(double(timer.nsecsElapsed()) / 1e6);
            }
            keystroke(QString());
        }
    }
    std::sort(samples.begin(), samples.end());
    Figures f;
    f.keystrokes = int(samples.size());
    for (double s : samples) f.meanMs += s;
    f.meanMs /= double(samples.size());
    f.maxMs = samples.back();
    f.p95Ms = samples[size_t(double(samples.size() - 1) * 0.95)];
    f.medianMs = samples[samples.size() / 2];
    return f;
}

void print(const char* what, const Figures& f) {
    std::printf("%-54s keystrokes %4d  median %6.3f ms  mean %6.3f ms  p95 %6.3f ms  max %7.3f ms\n", what,
                f.keystrokes, f.medianMs, f.meanMs, f.p95Ms, f.maxMs);
}

void writeFile(const QByteArray& path, const QByteArray& content) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return;
    if (::write(fd, content.constData(), size_t(content.size())) < 0) std::perror("write");
    ::close(fd);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    std::printf("bench_filter: %d projects\n", count);

    // The filter on its own, as the view model runs it on each keystroke.
    const QList<Project> projects = syntheticProjects(count);
    ProjectSearchIndex index(QLocale(QLocale::English, QLocale::UnitedStates));
    QElapsedTimer timer;
    timer.start();
    index.reset(projects);
    std::printf("%-54s %7.3f ms\n", "search index build (once per scan)", double(timer.nsecsElapsed()) / 1e6);
    qsizetype sink = 0;
    print("ProjectSearchIndex::matchingRows, all kinds", timeKeystrokes(20, [&](const QString& text) {
              sink += index.matchingRows(projects, text, std::nullopt).size();
          }));
    print("ProjectSearchIndex::filter (copies the projects)", timeKeystrokes(20, [&](const QString& text) {
              sink += index.filter(projects, text, std::nullopt).size();
          }));
    print("ProjectSearchIndex::filter, kind Python", timeKeystrokes(20, [&](const QString& text) {
              sink += index.filter(projects, text, ProjectType::python).size();
          }));
    print("filterProjects without index (folds every project)", timeKeystrokes(2, [&](const QString& text) {
              sink += filterProjects(projects, text, std::nullopt).size();
          }));

    // The view model over a real folder of `count` projects.
    QTemporaryDir root;
    const QByteArray rootPath = QFile::encodeName(root.path());
    for (int i = 0; i < count; ++i) {
        const QByteArray group = rootPath + '/' + QByteArray(kGroups[i % 6]).replace('/', '-');
        ::mkdir(group.constData(), 0755);
        const QByteArray folder = group + '/' + nameFor(i).toUtf8();
        ::mkdir(folder.constData(), 0755);
        writeFile(folder + "/package.json", "{}");
    }
    GitService git;
    ProjectScanner scanner(git);
    auto settings = std::make_shared<QSettings>(root.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    ProjectsViewModel model(scanner, settings, PlatformServices{});
    model.setScanPath(rootPath);
    QEventLoop loop;
    QObject::connect(&model, &ProjectsViewModel::scanFinished, &loop, &QEventLoop::quit);
    timer.restart();
    model.scanProjects();
    loop.exec();
    std::printf("%-54s %7.1f ms (%d projects)\n", "full scan + rebuild (for reference)", double(timer.nsecsElapsed()) / 1e6,
                model.projectCount());
    print("ProjectsViewModel::setSearchText (filter + list model)", timeKeystrokes(10, [&](const QString& text) {
              model.setSearchText(text);
              sink += model.filteredCount();
          }));

    std::printf("goal: under 5 ms per keystroke (checksum %lld)\n", static_cast<long long>(sink));
    return 0;
}
