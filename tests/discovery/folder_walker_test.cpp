// The walk with a helper thread visits exactly what the single-threaded walk visits, in the
// same order, however the two threads happen to share the tree, and stops as promptly.
#include "discovery/FolderWalker.h"
#include "support/TestFolders.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <random>
#include <thread>

using testfolders::TempTree;

namespace {

struct Seen {
    QByteArray path;
    QByteArray accessPath;
    FolderMarkers markers;
    bool listed;

    bool operator==(const Seen& o) const {
        return path == o.path && accessPath == o.accessPath && listed == o.listed && markers == o.markers;
    }
};

// Four levels of five folders with markers here and there, skipped and hidden folders, links
// to folders, a folder whose listing is denied and subtrees beyond the depth limit.
void buildWideTree(const TempTree& tree) {
    const char* markers[] = {"package.json", "pom.xml", "setup.py", "pyproject.toml", "Package.swift",
                             ".git", "Cargo.toml", "b.csproj", "a.csproj", "Gemfile"};
    int n = 0;
    for (int a = 0; a < 5; ++a) {
        for (int b = 0; b < 5; ++b) {
            for (int c = 0; c < 5; ++c) {
                const QByteArray folder = "a" + QByteArray::number(a) + "/b" + QByteArray::number(b) + "/c" +
                                          QByteArray::number(c);
                tree.write(folder + "/d/e/f/g/note.txt", "x");
                if (++n % 5 == 0) tree.write(folder + "/" + markers[n % 10], "{}");
            }
            const QByteArray b2 = "a" + QByteArray::number(a) + "/b" + QByteArray::number(b);
            tree.mkdir(b2 + "/node_modules/inner");
            tree.mkdir(b2 + "/.hidden/inner");
            ::symlink("..", (tree.path() + "/" + b2 + "/up").constData());
        }
    }
    const QByteArray denied = tree.mkdir("a3/denied");
    tree.write("a3/denied/package.json", "{}");
    tree.mkdir("a3/denied/below");
    tree.write("a1/b1/c1/b.csproj", "<Project/>");
    tree.write("a1/b1/c1/a.csproj", "<Project/>");
    // A bare repository: visited, never entered.
    tree.write("a2/mirror.git/HEAD", "ref: refs/heads/main\n");
    tree.write("a2/mirror.git/config", "[core]\n\tbare = true\n");
    tree.mkdir("a2/mirror.git/objects/pack");
    tree.mkdir("a2/mirror.git/refs/heads");
    ::chmod(denied.constData(), 0311); // enterable, not listable
}

std::vector<Seen> walkAll(const QByteArray& root, int threads, int maxDepth, int slowEvery = 0) {
    std::vector<Seen> seen;
    std::mt19937 random(unsigned(threads * 7919 + slowEvery));
    FolderWalker walker(nullptr, [&](const FolderVisit& visit) {
        seen.push_back({visit.path, visit.accessPath, visit.markers, visit.listed});
        // A slow visitor now and then lets the helper run ahead and take many subtrees.
        if (slowEvery && random() % unsigned(slowEvery) == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
    }, threads);
    walker.walk(root, maxDepth);
    return seen;
}

TEST(FolderWalker, HelperThreadKeepsTheSerialPreOrder) {
    TempTree tree;
    buildWideTree(tree);
    for (const int maxDepth : {10, 2, 0}) {
        const std::vector<Seen> serial = walkAll(tree.path(), 1, maxDepth);
        ASSERT_FALSE(serial.empty());
        for (int round = 0; round < 6; ++round) {
            const std::vector<Seen> helped = walkAll(tree.path(), 2, maxDepth, round % 2 ? 0 : 4 + round);
            ASSERT_EQ(helped.size(), serial.size()) << "depth " << maxDepth << " round " << round;
            for (size_t i = 0; i < serial.size(); ++i) {
                ASSERT_TRUE(helped[i] == serial[i])
                    << "depth " << maxDepth << " round " << round << " visit " << i << ": "
                    << helped[i].path.toStdString() << " instead of " << serial[i].path.toStdString();
            }
        }
    }
    const std::vector<Seen> all = walkAll(tree.path(), 1, 10);
    const auto denied = std::find_if(all.begin(), all.end(), [&](const Seen& s) { return s.path.endsWith("/a3/denied"); });
    ASSERT_NE(denied, all.end());
    if (::geteuid() != 0) {
        EXPECT_FALSE(denied->listed); // the superuser lists it anyway
    }
    EXPECT_TRUE(denied->markers.has(Marker::packageJson));
    const auto bare = std::find_if(all.begin(), all.end(), [&](const Seen& s) { return s.path.endsWith("/mirror.git"); });
    ASSERT_NE(bare, all.end());
    EXPECT_TRUE(bare->markers.bare);
    EXPECT_TRUE(std::none_of(all.begin(), all.end(), [](const Seen& s) { return s.path.contains("/mirror.git/"); }));
    const auto both = std::find_if(all.begin(), all.end(), [](const Seen& s) { return s.markers.has(Marker::csproj); });
    ASSERT_NE(both, all.end());
    EXPECT_EQ(both->markers.entryName(Marker::csproj), QByteArray("a.csproj")); // first by name
    ::chmod((tree.path() + "/a3/denied").constData(), 0755);
}

TEST(FolderWalker, StopEndsTheVisitsAtOnceWithAPrefixOfTheWalk) {
    TempTree tree;
    buildWideTree(tree);
    ::chmod((tree.path() + "/a3/denied").constData(), 0755);
    const std::vector<Seen> serial = walkAll(tree.path(), 1, 10);
    for (const int threads : {1, 2}) {
        for (const size_t stopAt : {size_t(1), size_t(40), serial.size() / 2}) {
            std::atomic<bool> stop{false};
            std::vector<QByteArray> seen;
            FolderWalker walker(&stop, [&](const FolderVisit& visit) {
                seen.push_back(visit.path);
                if (seen.size() == stopAt) stop = true;
            }, threads);
            walker.walk(tree.path(), 10);
            ASSERT_EQ(seen.size(), stopAt) << threads << " threads";
            for (size_t i = 0; i < stopAt; ++i) EXPECT_EQ(seen[i], serial[i].path);
        }
    }
}

} // namespace
