#include "VizTestSupport.h"

#include <QGuiApplication>
#include <QUuid>
#include <gtest/gtest.h>

namespace viztest {

Project project(const QString& path, ProjectType type) {
    Project p;
    p.id = QUuid::createUuid();
    p.name = path.section(u'/', -1);
    p.path = path.toUtf8();
    p.type = type;
    return p;
}

QList<Project> workspace(const QString& root, int count, const QDateTime& now) {
    QList<Project> projects;
    for (int i = 0; i < count; ++i) {
        // Every tenth project lies inside the folder of the one before it.
        const int home = i % 10 == 9 ? i - 1 : i;
        QString path = root + QStringLiteral("/group%1/team%2/project-%3").arg(home % 12).arg((home / 12) % 9).arg(home);
        if (home != i) path += QStringLiteral("/plugin");
        Project p = project(path, projecttype::allCases[static_cast<size_t>(i % 7)]);
        p.name = QStringLiteral("project-%1").arg(i);
        if (i % 3 == 0) p.version = QStringLiteral("1.%1.0").arg(i % 20);
        if (i % 2 == 0) {
            p.hasGit = true;
            p.gitBranch = i % 4 == 0 ? QStringLiteral("main") : QStringLiteral("feature/x-%1").arg(i);
            p.remotes.append({QUuid::createUuid(), QStringLiteral("origin"),
                              QStringLiteral("git@example.com:org/project-%1.git").arg(i)});
            p.hasUncommittedChanges = i % 6 == 0;
        }
        if (i % 11 != 0) p.lastModified = now.addDays(-(i % 45));
        projects.append(p);
    }
    return projects;
}

} // namespace viztest

// Every test program runs with a QGuiApplication (fonts, the scene graph and QML need one).
int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
