#include "model/Project.h"
#include "model/RelativeDateText.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

Project sampleProject() {
    Project p;
    p.id = QUuid::createUuid();
    p.name = QStringLiteral("app");
    p.path = "/home/me/app";
    p.type = ProjectType::nodeJS;
    p.version = QStringLiteral("1.0.0");
    p.lastModified = QDateTime::fromSecsSinceEpoch(1'700'000'000, Qt::UTC);
    p.gitBranch = QStringLiteral("main");
    p.remotes = {GitRemote{QUuid::createUuid(), QStringLiteral("origin"), QStringLiteral("git@x:y.git")}};
    p.hasUncommittedChanges = true;
    p.hasGit = true;
    return p;
}

TEST(ProjectType, RawValuesRoundTripExactlyAndCaseSensitively) {
    ASSERT_EQ(projecttype::allCases.size(), 16u);
    EXPECT_EQ(projecttype::allCases.back(), ProjectType::unknown);
    for (ProjectType t : projecttype::allCases) EXPECT_EQ(projecttype::fromRawValue(projecttype::rawValue(t)), t);
    EXPECT_EQ(projecttype::fromRawValue(QStringLiteral("React Native")), ProjectType::reactNative);
    EXPECT_EQ(projecttype::fromRawValue(QStringLiteral("Java/Maven")), ProjectType::java);
    EXPECT_FALSE(projecttype::fromRawValue(QStringLiteral("react native")));
    EXPECT_FALSE(projecttype::fromRawValue(QStringLiteral("Java")));
    EXPECT_FALSE(projecttype::fromRawValue(QString()));
    EXPECT_EQ(projecttype::fromRawValue(QStringLiteral("C/C++")), ProjectType::cpp);
    EXPECT_EQ(projecttype::fromRawValue(QStringLiteral(".NET")), ProjectType::dotnet);
    EXPECT_FALSE(projecttype::fromRawValue(QStringLiteral("C++")));
}

TEST(ProjectType, PresentationKeepsTheDistinctionsOfTheKinds) {
    EXPECT_EQ(projecttype::color(ProjectType::java), projecttype::color(ProjectType::swift));
    EXPECT_NE(projecttype::icon(ProjectType::java), projecttype::icon(ProjectType::swift));
    EXPECT_EQ(projecttype::color(ProjectType::nextJS), QStringLiteral("primary"));
    EXPECT_EQ(projecttype::icon(ProjectType::python), QStringLiteral("chevron.left.forwardslash.chevron.right"));
    // Every kind its own symbol, and its own colour but for Java and Swift.
    QSet<QString> icons, colors;
    for (ProjectType t : projecttype::allCases) {
        icons.insert(projecttype::icon(t));
        colors.insert(projecttype::color(t));
    }
    EXPECT_EQ(icons.size(), 16);
    EXPECT_EQ(colors.size(), 15);
}

TEST(Project, EqualityAndHashCoverEveryField) {
    const Project base = sampleProject();
    EXPECT_EQ(base, base);
    EXPECT_EQ(qHash(base), qHash(Project(base)));

    std::vector<std::function<void(Project&)>> changes = {
        [](Project& p) { p.id = QUuid::createUuid(); },
        [](Project& p) { p.name += QLatin1Char('x'); },
        [](Project& p) { p.path += "x"; },
        [](Project& p) { p.type = ProjectType::java; },
        [](Project& p) { p.version.reset(); },
        [](Project& p) { p.version = QString(); },
        [](Project& p) { p.lastModified = p.lastModified->addSecs(1); },
        [](Project& p) { p.lastModified.reset(); },
        [](Project& p) { p.gitBranch = QString(); },
        [](Project& p) { p.remotes[0].url += QLatin1Char('x'); },
        [](Project& p) { p.remotes[0].id = QUuid::createUuid(); },
        [](Project& p) { p.remotes.append(p.remotes[0]); },
        [](Project& p) { p.hasUncommittedChanges = false; },
        [](Project& p) { p.hasGit = false; },
    };
    for (size_t i = 0; i < changes.size(); ++i) {
        Project changed = base;
        changes[i](changed);
        EXPECT_NE(changed, base) << "change " << i;
        EXPECT_NE(qHash(changed), qHash(base)) << "change " << i;
    }
}

TEST(Project, NonUtf8PathKeepsItsBytesAndShowsReplacementCharacters) {
    Project p = sampleProject();
    p.path = QByteArray("/tmp/caf\xE9", 9);
    EXPECT_EQ(p.path.size(), 9);
    EXPECT_TRUE(p.pathText().contains(QChar(0xFFFD)));
}

TEST(LastModifiedText, AbsentDateIsUnknown) {
    Project p = sampleProject();
    p.lastModified.reset();
    EXPECT_EQ(p.lastModifiedText(), QStringLiteral("Unknown"));
}

TEST(LastModifiedText, UsesTheLargestNonZeroUnitInFullStyle) {
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    const QDateTime now = QDateTime(QDate(2026, 6, 15), QTime(12, 0), Qt::UTC);
    const auto text = [&](const QDateTime& when) { return relativeDateText(when, now, en); };
    EXPECT_EQ(text(now.addSecs(-2 * 3600 - 59)), QStringLiteral("2 hours ago"));
    EXPECT_EQ(text(now.addDays(3).addSecs(60)), QStringLiteral("in 3 days"));
    EXPECT_EQ(text(now.addSecs(-45)), QStringLiteral("45 seconds ago"));
    EXPECT_EQ(text(now.addSecs(-60 * 5)), QStringLiteral("5 minutes ago"));
    EXPECT_EQ(text(now.addDays(-1)), QStringLiteral("1 day ago"));
    EXPECT_EQ(text(now.addDays(-15)), QStringLiteral("2 weeks ago"));
    EXPECT_EQ(text(now.addMonths(-4).addDays(-3)), QStringLiteral("4 months ago"));
    EXPECT_EQ(text(now.addYears(-3).addMonths(-11)), QStringLiteral("3 years ago"));

    Project p = sampleProject();
    p.lastModified = now.addSecs(-2 * 3600);
    EXPECT_EQ(p.lastModifiedText(now, en), QStringLiteral("2 hours ago"));
}

TEST(LastModifiedText, CLocaleUsesEnglishPluralRules) {
    const QDateTime now = QDateTime(QDate(2026, 6, 15), QTime(12, 0), Qt::UTC);
    EXPECT_EQ(relativeDateText(now.addSecs(-60), now, QLocale::c()), QStringLiteral("1 minute ago"));
    EXPECT_EQ(relativeDateText(now.addDays(1), now, QLocale::c()), QStringLiteral("in 1 day"));
    EXPECT_EQ(relativeDateText(now.addDays(2), now, QLocale::c()), QStringLiteral("in 2 days"));
}

TEST(LastModifiedText, FollowsTheLocale) {
    const QDateTime now = QDateTime(QDate(2026, 6, 15), QTime(12, 0), Qt::UTC);
    const QString german = relativeDateText(now.addSecs(-7200), now, QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(german, QStringLiteral("vor 2 Stunden"));
}

} // namespace
