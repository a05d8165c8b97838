#include "state/TreeData.h"

#include "discovery/Utf8.h"

#include "support/ProjectFactory.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <random>

namespace {

using testprojects::projectAt;
using testprojects::projectsAt;

QStringList childNames(const CachedTreeNode& node) {
    QStringList names;
    for (const CachedTreeNode& child : node.children) names.append(child.name);
    return names;
}

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

// Checks the structural rules every built outline keeps, and returns all nodes by path.
void collectChecked(const CachedTreeNode& node, QHash<QString, const CachedTreeNode*>& seen) {
    EXPECT_EQ(node.id, node.fullPath);
    EXPECT_EQ(node.isProject, node.project.has_value()) << node.fullPath.toStdString();
    if (node.project) {
        EXPECT_EQ(decodeUtf8KeepingBytes(node.project->path), node.fullPath);
    }
    EXPECT_FALSE(seen.contains(node.fullPath)) << "duplicate " << node.fullPath.toStdString();
    seen.insert(node.fullPath, &node);
    for (const CachedTreeNode& child : node.children) {
        EXPECT_EQ(child.depth, node.depth + 1);
        EXPECT_EQ(child.fullPath, node.fullPath + QLatin1Char('/') + child.name);
        collectChecked(child, seen);
    }
}

bool leadsToProject(const CachedTreeNode& node) {
    return node.isProject ||
           std::any_of(node.children.cbegin(), node.children.cend(), [](const auto& c) { return leadsToProject(c); });
}

} // namespace

TEST(TreeData, NoProjectsGivesNoRootNode) {
    EXPECT_TRUE(buildTreeData({}, QStringLiteral("/r")).isEmpty());
    const CachedTreeData initial;
    EXPECT_TRUE(initial.nodes.isEmpty());
    EXPECT_FALSE(initial.isReady);
}

TEST(TreeData, ProjectsOutsideTheRootAreLeftOutAndTheRootsOwnIsTheRoot) {
    // "/rx/app" starts with the text "/r" but is not inside the folder /r.
    const QList<Project> projects = projectsAt({"/elsewhere/app", "/r", "/rx/app", "/r/"});
    const QList<CachedTreeNode> tree = buildTreeData(projects, QStringLiteral("/r"));
    ASSERT_EQ(tree.size(), 1);
    const CachedTreeNode& root = tree.first();
    EXPECT_EQ(root.id, QStringLiteral("/r"));
    EXPECT_EQ(root.name, QStringLiteral("r"));
    EXPECT_EQ(root.depth, 0);
    EXPECT_TRUE(root.isProject);
    EXPECT_EQ(root.project, projects.at(1));
    EXPECT_TRUE(root.children.isEmpty());
}

TEST(TreeData, FoldersLeadToProjectsSortedByName) {
    const QList<Project> projects = projectsAt({"/Users/me/dev/web/shop", "/Users/me/dev/web/blog"});
    const QList<CachedTreeNode> tree = buildTreeData(projects, QStringLiteral("/Users/me/dev"));
    ASSERT_EQ(tree.size(), 1);
    const CachedTreeNode& root = tree.first();
    EXPECT_EQ(root.name, QStringLiteral("dev"));
    ASSERT_EQ(root.children.size(), 1);
    const CachedTreeNode& web = root.children.first();
    EXPECT_EQ(web.fullPath, QStringLiteral("/Users/me/dev/web"));
    EXPECT_EQ(web.depth, 1);
    EXPECT_FALSE(web.isProject);
    EXPECT_EQ(childNames(web), (QStringList{"blog", "shop"}));
    EXPECT_EQ(web.children.at(0).depth, 2);
    EXPECT_TRUE(web.children.at(0).isProject);
    EXPECT_EQ(web.children.at(0).project, projects.at(1));
    EXPECT_EQ(web.children.at(1).project, projects.at(0));
}

TEST(TreeData, EveryFolderOnTheWayIsItsOwnNode) {
    const QList<CachedTreeNode> tree = buildTreeData(projectsAt({"/r/a/b/c/app"}), QStringLiteral("/r"));
    const CachedTreeNode* node = &tree.first();
    for (const char* name : {"a", "b", "c"}) {
        ASSERT_EQ(node->children.size(), 1);
        node = &node->children.first();
        EXPECT_EQ(node->name, QLatin1String(name));
        EXPECT_FALSE(node->isProject);
    }
    ASSERT_EQ(node->children.size(), 1);
    EXPECT_TRUE(node->children.first().isProject);
    EXPECT_EQ(node->children.first().depth, 4);
}

TEST(TreeData, ChildrenIgnoreCaseButNotAccents) {
    const QList<Project> projects =
        projectsAt({"/r/beta", "/r/Alpha", "/r/zeta", "/r/\xc3\xa9mile", "/r/emile", "/r/Emile", "/r/Zoe"});
    const QList<CachedTreeNode> tree = buildTreeData(projects, QStringLiteral("/r"), kEnglish);
    // Equal ignoring case (Emile, emile) keep the order of their paths, code unit by code unit;
    // the accented name sorts after its plain form, not at the end.
    EXPECT_EQ(childNames(tree.first()),
              (QStringList{"Alpha", "beta", "Emile", "emile", QString::fromUtf8("\xc3\xa9mile"), "zeta", "Zoe"}));
}

TEST(TreeData, DefaultLocaleStillIgnoresCase) {
    const QList<CachedTreeNode> tree = buildTreeData(projectsAt({"/r/beta", "/r/Alpha", "/r/Gamma"}), QStringLiteral("/r"));
    EXPECT_EQ(childNames(tree.first()), (QStringList{"Alpha", "beta", "Gamma"}));
}

TEST(TreeData, NamesEqualIgnoringCaseKeepPathOrderWhateverTheInputOrder) {
    const QList<Project> forward = projectsAt({"/r/App", "/r/app", "/r/APP"});
    const QList<Project> backward = projectsAt({"/r/app", "/r/App", "/r/APP"});
    for (const QList<Project>& projects : {forward, backward}) {
        const QList<CachedTreeNode> tree = buildTreeData(projects, QStringLiteral("/r"), kEnglish);
        EXPECT_EQ(childNames(tree.first()), (QStringList{"APP", "App", "app"}));
    }
}

TEST(TreeData, ProjectInsideAProjectFolderIsItsChild) {
    // Whatever the list order, the outer project is met first (paths are sorted).
    for (const QList<Project>& projects :
         {projectsAt({"/r/app", "/r/app/plugin"}), projectsAt({"/r/app/plugin", "/r/app"})}) {
        const QList<CachedTreeNode> tree = buildTreeData(projects, QStringLiteral("/r"));
        ASSERT_EQ(tree.first().children.size(), 1);
        const CachedTreeNode& app = tree.first().children.first();
        EXPECT_TRUE(app.isProject);
        ASSERT_TRUE(app.project.has_value());
        EXPECT_EQ(app.project->path, QByteArray("/r/app"));
        ASSERT_EQ(app.children.size(), 1);
        EXPECT_EQ(app.children.first().fullPath, QStringLiteral("/r/app/plugin"));
        EXPECT_TRUE(app.children.first().isProject);
    }
}

TEST(TreeData, FileSystemRootGivesDoubleSlashChildren) {
    const QList<CachedTreeNode> tree = buildTreeData(projectsAt({"/srv/app", "/home"}), QStringLiteral("/"));
    const CachedTreeNode& root = tree.first();
    EXPECT_EQ(root.name, QStringLiteral("/"));
    EXPECT_EQ(root.fullPath, QStringLiteral("/"));
    ASSERT_EQ(childNames(root), (QStringList{"home", "srv"}));
    EXPECT_EQ(root.children.at(0).fullPath, QStringLiteral("//home"));
    EXPECT_EQ(root.children.at(1).children.first().fullPath, QStringLiteral("//srv/app"));
}

TEST(TreeData, DuplicatePathsKeepTheFirstProjectInPathOrder) {
    Project first = projectAt("/r/app", ProjectType::java);
    Project second = projectAt("/r/app", ProjectType::swift);
    const QList<CachedTreeNode> tree = buildTreeData({first, second}, QStringLiteral("/r"));
    ASSERT_EQ(tree.first().children.size(), 1);
    EXPECT_EQ(tree.first().children.first().project, first);
}

TEST(TreeData, NamesDifferingOnlyInBytesThatAreNotUtf8StayApart) {
    // Both names read as "x" and a replacement character, but they are different folders.
    const Project ff = projectAt("/r/x\xff/app");
    const Project fe = projectAt("/r/x\xfe/app");
    const Project inRoot = projectAt("/r\xe9/in");
    const QList<CachedTreeNode> tree = buildTreeData({ff, fe}, QStringLiteral("/r"));
    const CachedTreeNode& root = tree.first();
    QHash<QString, const CachedTreeNode*> seen;
    collectChecked(root, seen);
    ASSERT_EQ(root.children.size(), 2);
    QList<Project> leaves;
    for (const CachedTreeNode& folder : root.children) {
        ASSERT_EQ(folder.children.size(), 1);
        leaves.append(*folder.children.first().project);
    }
    EXPECT_TRUE(leaves.contains(ff));
    EXPECT_TRUE(leaves.contains(fe));

    // A root whose own name is not UTF-8 still holds its projects.
    const QList<CachedTreeNode> oddRoot = buildTreeData({inRoot, ff}, decodeUtf8KeepingBytes("/r\xe9"));
    ASSERT_EQ(oddRoot.first().children.size(), 1);
    EXPECT_EQ(oddRoot.first().children.first().project, inRoot);
}

TEST(TreeData, LargeOutlineKeepsItsRulesAndIsIndependentOfInputOrder) {
    std::mt19937 random(7);
    QList<Project> projects;
    const char* orgs[] = {"acme", "Beta", "core", "Delta"};
    for (int i = 0; i < 300; ++i) {
        QByteArray path = "/home/u/code/";
        path += orgs[random() % 4];
        path += "/group" + QByteArray::number(int(random() % 5));
        path += "/p" + QByteArray::number(i);
        if (random() % 4 == 0) path += "/nested" + QByteArray::number(int(random() % 3));
        projects.append(projectAt(path));
    }
    projects.append(projectAt("/home/u/code/acme")); // a project that is also a folder

    const QList<CachedTreeNode> tree = buildTreeData(projects, QStringLiteral("/home/u/code"), kEnglish);
    ASSERT_EQ(tree.size(), 1);
    QHash<QString, const CachedTreeNode*> nodes;
    collectChecked(tree.first(), nodes);
    for (const Project& project : projects) {
        ASSERT_TRUE(nodes.contains(project.pathText())) << project.path.toStdString();
        EXPECT_TRUE(nodes.value(project.pathText())->isProject);
    }
    for (const CachedTreeNode* node : nodes) {
        if (node->depth > 0) {
            EXPECT_TRUE(leadsToProject(*node)) << node->fullPath.toStdString();
        }
    }

    QList<Project> shuffled = projects;
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    EXPECT_EQ(buildTreeData(shuffled, QStringLiteral("/home/u/code"), kEnglish), tree);
}

TEST(TreeData, VeryDeepPathGivesOneNodePerLevel) {
    QByteArray path = "/r";
    for (int i = 0; i < 1500; ++i) path += "/d";
    const QList<CachedTreeNode> tree = buildTreeData({projectAt(path)}, QStringLiteral("/r"));
    QHash<QString, const CachedTreeNode*> nodes;
    collectChecked(tree.first(), nodes);
    EXPECT_EQ(nodes.size(), 1501);
    EXPECT_TRUE(nodes.value(QString::fromUtf8(path))->isProject);
}
