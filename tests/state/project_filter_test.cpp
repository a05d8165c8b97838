#include "state/ProjectFilter.h"
#include "state/ProjectSort.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

Project makeProject(const QString& name, const QByteArray& path, ProjectType type = ProjectType::nodeJS,
                    std::optional<QString> branch = std::nullopt, bool modified = false) {
    Project project;
    project.id = QUuid::createUuid();
    project.name = name;
    project.path = path;
    project.type = type;
    project.gitBranch = std::move(branch);
    project.hasUncommittedChanges = modified;
    return project;
}

QStringList names(const QList<Project>& projects) {
    QStringList list;
    for (const Project& project : projects) list.append(project.name);
    return list;
}

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kTurkish(QLocale::Turkish, QLocale::Turkey);

QList<Project> sampleProjects() {
    return {
        makeProject("analytics", "/Users/me/clients/app", ProjectType::python, QStringLiteral("main")),
        makeProject("Billing", "/Users/me/work/billing", ProjectType::java, QStringLiteral("feature/api")),
        makeProject("my-api-server", "/Users/me/work/my-api-server", ProjectType::nodeJS, std::nullopt),
        makeProject("notes app", "/Users/me/notes app", ProjectType::swift, QStringLiteral("")),
        makeProject("py-api", "/Users/me/py/py-api", ProjectType::python, QStringLiteral("main")),
        makeProject("tools", "/Users/me/tools", ProjectType::python, std::nullopt),
    };
}

TEST(ProjectFilter, EmptyListGivesNothing) {
    EXPECT_TRUE(filterProjects({}, QStringLiteral("api"), std::nullopt, kEnglish).isEmpty());
    EXPECT_TRUE(filterProjects({}, QString(), ProjectType::swift, kEnglish).isEmpty());
    EXPECT_TRUE(countTypes({}).isEmpty());
    EXPECT_EQ(countModified({}), 0);
}

TEST(ProjectFilter, SearchLooksAtNamePathAndBranchIgnoringCase) {
    const QList<Project> projects = sampleProjects();
    EXPECT_EQ(names(filterProjects(projects, QString(), std::nullopt, kEnglish)), names(projects));
    // Name (upper case typed), folder in the middle of the path, and branch.
    EXPECT_EQ(names(filterProjects(projects, QStringLiteral("API"), std::nullopt, kEnglish)),
              (QStringList{"Billing", "my-api-server", "py-api"}));
    EXPECT_EQ(names(filterProjects(projects, QStringLiteral("clients"), std::nullopt, kEnglish)),
              QStringList{"analytics"});
    EXPECT_EQ(names(filterProjects(projects, QStringLiteral("main"), std::nullopt, kEnglish)),
              (QStringList{"analytics", "py-api"}));
    // Version, kind and other fields are not searched.
    EXPECT_TRUE(filterProjects(projects, QStringLiteral("Python"), std::nullopt, kEnglish).isEmpty());
}

TEST(ProjectFilter, SearchTextIsUsedAsTyped) {
    const QList<Project> projects = sampleProjects();
    // One space is a search for a space, not an empty search.
    EXPECT_EQ(names(filterProjects(projects, QStringLiteral(" "), std::nullopt, kEnglish)),
              QStringList{"notes app"});
    EXPECT_EQ(names(filterProjects(projects, QStringLiteral(" tools"), std::nullopt, kEnglish)), QStringList{});
    // Projects without a branch never match on it; an empty branch matches nothing non-empty.
    EXPECT_EQ(names(filterProjects(projects, QStringLiteral("feature/"), std::nullopt, kEnglish)),
              QStringList{"Billing"});
}

TEST(ProjectFilter, KindFilterCombinesWithSearchAndKeepsOrder) {
    const QList<Project> projects = sampleProjects();
    EXPECT_EQ(names(filterProjects(projects, QString(), ProjectType::python, kEnglish)),
              (QStringList{"analytics", "py-api", "tools"}));
    EXPECT_EQ(names(filterProjects(projects, QStringLiteral("api"), ProjectType::python, kEnglish)),
              QStringList{"py-api"});
    // A kind without projects: nothing passes, and the counts do not list it.
    EXPECT_TRUE(filterProjects(projects, QString(), ProjectType::reactNative, kEnglish).isEmpty());
    for (const TypeCount& entry : countTypes(projects)) EXPECT_NE(entry.type, ProjectType::reactNative);
}

TEST(ProjectFilter, CaseIsIgnoredButAccentsAreNot) {
    const TextMatcher matcher(kEnglish);
    EXPECT_TRUE(matcher.contains(u"Café Racer", u"CAFÉ"));
    EXPECT_FALSE(matcher.contains(u"Café Racer", u"cafe"));
    EXPECT_FALSE(matcher.contains(u"Cafe Racer", u"café"));
    // Composed and decomposed spellings are the same text.
    EXPECT_TRUE(matcher.contains(u"Cafe\u0301 Racer", u"CAFÉ"));
    EXPECT_TRUE(matcher.contains(u"Café Racer", u"cafe\u0301"));
    // Full case folding: sharp s and Greek final sigma.
    EXPECT_TRUE(matcher.contains(u"Straße", u"STRASSE"));
    EXPECT_TRUE(matcher.contains(u"ΟΔΥΣΣΕΥΣ", u"οδυσσευς"));
    EXPECT_TRUE(matcher.contains(u"anything", u""));
    EXPECT_FALSE(matcher.contains(u"", u"a"));
}

TEST(ProjectFilter, DottedAndDotlessIFollowTheLocale) {
    const TextMatcher english(kEnglish);
    const TextMatcher turkish(kTurkish);
    // In Turkish, I pairs with ı and İ with i.
    EXPECT_TRUE(turkish.contains(u"istanbul-app", u"İSTANBUL"));
    EXPECT_FALSE(turkish.contains(u"istanbul-app", u"ISTANBUL"));
    EXPECT_TRUE(turkish.contains(u"ısparta", u"ISPARTA"));
    // Elsewhere I pairs with i.
    EXPECT_TRUE(english.contains(u"istanbul-app", u"ISTANBUL"));
    EXPECT_FALSE(english.contains(u"ısparta", u"ISPARTA"));

    const QList<Project> projects = {makeProject("istanbul-app", "/src/istanbul-app")};
    EXPECT_EQ(filterProjects(projects, QStringLiteral("İSTANBUL"), std::nullopt, kTurkish).size(), 1);
    EXPECT_EQ(filterProjects(projects, QStringLiteral("ISTANBUL"), std::nullopt, kTurkish).size(), 0);
    EXPECT_EQ(filterProjects(projects, QStringLiteral("ISTANBUL"), std::nullopt, kEnglish).size(), 1);
}

TEST(ProjectFilter, PathsThatAreNotUtf8AreSearchedAsText) {
    Project project = makeProject("odd", QByteArray("/srv/caf\xe9/odd"));
    EXPECT_EQ(filterProjects({project}, QStringLiteral("/SRV/CAF"), std::nullopt, kEnglish).size(), 1);
    EXPECT_EQ(filterProjects({project}, QStringLiteral("café"), std::nullopt, kEnglish).size(), 0);
}

TEST(ProjectFilter, IndexFollowsReplacedRecords) {
    QList<Project> projects = sampleProjects();
    ProjectSearchIndex index(kEnglish);
    index.reset(projects);
    EXPECT_EQ(names(index.filter(projects, QStringLiteral("release"), std::nullopt)), QStringList{});
    projects[5] = makeProject("tools", "/Users/me/tools", ProjectType::python, QStringLiteral("Release-2"));
    index.replace(5, projects[5]);
    EXPECT_EQ(names(index.filter(projects, QStringLiteral("release"), std::nullopt)), QStringList{"tools"});
}

TEST(ProjectFilter, TypeCountsLargestFirstTiesInDeclarationOrder) {
    QList<Project> projects;
    // Listed so that neither list order nor name order gives the expected order.
    projects.append(makeProject("s", "/s", ProjectType::swift));
    for (int i = 0; i < 3; ++i) projects.append(makeProject("p", "/p", ProjectType::python));
    for (int i = 0; i < 3; ++i) projects.append(makeProject("n", "/n", ProjectType::nodeJS));
    EXPECT_EQ(countTypes(projects), (QList<TypeCount>{{ProjectType::nodeJS, 3}, {ProjectType::python, 3},
                                                      {ProjectType::swift, 1}}));

    projects.append(makeProject("u", "/u", ProjectType::unknown));
    for (int i = 0; i < 4; ++i) projects.append(makeProject("u", "/u", ProjectType::unknown));
    projects.append(makeProject("j", "/j", ProjectType::java));
    EXPECT_EQ(countTypes(projects),
              (QList<TypeCount>{{ProjectType::unknown, 5}, {ProjectType::nodeJS, 3}, {ProjectType::python, 3},
                                {ProjectType::java, 1}, {ProjectType::swift, 1}}));
}

TEST(ProjectFilter, ModifiedCountIgnoresFilters) {
    QList<Project> projects = sampleProjects();
    projects[0].hasUncommittedChanges = true;
    projects[3].hasUncommittedChanges = true;
    EXPECT_EQ(countModified(projects), 2);
}

TEST(ProjectFilter, StaleFilterKeepsUnknownAndOlderThanThirtyDaysWithTheOtherFilters) {
    const QDateTime now(QDate(2026, 3, 10), QTime(9, 0));
    QList<Project> projects = sampleProjects();
    projects[0].lastModified = now.addDays(-31);                     // analytics: stale
    projects[1].lastModified = now.addDays(-30);                     // Billing: 30 days, not yet
    projects[2].lastModified = std::nullopt;                         // my-api-server: unknown, stale
    projects[3].lastModified = now.addDays(-400);                    // notes app: stale
    projects[4].lastModified = now.addSecs(-31 * 86400 + 3600);      // py-api: 30 days and 23 hours
    projects[5].lastModified = now.addDays(3);                       // tools: in the future
    ProjectSearchIndex index(kEnglish);
    index.reset(projects);
    auto rows = [&](const QString& search, std::optional<ProjectType> type) {
        return index.matchingRows(projects, search, type, StatusFilter::stale, now);
    };
    EXPECT_EQ(rows(QString(), std::nullopt), (QList<qsizetype>{0, 2, 3}));
    EXPECT_EQ(rows(QStringLiteral("api"), std::nullopt), QList<qsizetype>{2});
    EXPECT_EQ(rows(QString(), ProjectType::python), QList<qsizetype>{0});
    // A day later the 30-day-old one has turned stale too.
    EXPECT_TRUE(matchesStatus(projects[1], StatusFilter::stale, now.addDays(1)));

    EXPECT_EQ(statusFilterFromKey(QStringLiteral("stale")), StatusFilter::stale);
    EXPECT_EQ(statusFilterKey(StatusFilter::stale), QStringLiteral("stale"));
    EXPECT_EQ(statusFilterFromKey(QStringLiteral("old")), std::nullopt);
}

TEST(ProjectSortTest, EveryOrderReordersTheScansOrderStably) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    // In the scan's order (by name): alpha, beta, gamma, delta-less zeta.
    auto make = [&](const char* name, ProjectType type, const char* path, std::optional<int> daysAgo, int ahead) {
        Project p;
        p.id = QUuid::createUuid();
        p.name = QString::fromLatin1(name);
        p.type = type;
        p.path = path;
        if (daysAgo) p.lastModified = now.addDays(-*daysAgo);
        if (ahead >= 0) {
            p.hasGit = true;
            p.git = GitState{};
            p.git->upstream = QStringLiteral("origin/main");
            p.git->ahead = ahead;
            p.git->behind = 0;
            p.git->stashes = ahead > 1 ? 1 : 0; // two reasons
        }
        return p;
    };
    const QList<Project> projects = {
        make("alpha", ProjectType::python, "/r/z/alpha", 3, 0),      make("beta", ProjectType::nodeJS, "/r/b", 1, 1),
        make("gamma", ProjectType::python, "/r/a/gamma", std::nullopt, -1), make("zeta", ProjectType::nodeJS, "/r/c", 9, 2),
    };
    struct Case {
        ProjectSort sort;
        QStringList names;
    };
    const Case cases[] = {
        {ProjectSort::name, {"alpha", "beta", "gamma", "zeta"}},
        {ProjectSort::attention, {"zeta", "beta", "alpha", "gamma"}},
        {ProjectSort::lastCommit, {"beta", "alpha", "zeta", "gamma"}},
        {ProjectSort::kind, {"beta", "zeta", "alpha", "gamma"}},
        {ProjectSort::path, {"gamma", "beta", "zeta", "alpha"}},
    };
    for (const Case& c : cases) {
        QList<qsizetype> rows = {0, 1, 2, 3};
        sortRows(rows, projects, c.sort);
        QStringList names;
        for (qsizetype row : rows) names.append(projects.at(row).name);
        EXPECT_EQ(names, c.names) << projectSortKey(c.sort).toStdString();
        EXPECT_EQ(projectSortFromKey(projectSortKey(c.sort)), c.sort);
    }
    EXPECT_EQ(projectSortFromKey(QStringLiteral("size")), std::nullopt);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
