#include "state/FolderBookmark.h"
#include "state/FolderUrl.h"
#include "state/SettingsFile.h"
#include "StateTestSupport.h"

#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <cstdio>

#include <sys/stat.h>

using statetest::urlOf;
using testfolders::TempTree;

namespace {

// --- Bookmark format ---------------------------------------------------------------------

TEST(FolderBookmark, ResolvesToTheFolderItWasMadeOf) {
    TempTree tree;
    const QByteArray folder = tree.mkdir("dev projects");
    const std::optional<QByteArray> bookmark = folderbookmark::create(folder);
    ASSERT_TRUE(bookmark);
    const auto resolved = folderbookmark::resolve(*bookmark);
    ASSERT_TRUE(resolved);
    EXPECT_EQ(resolved->path, folder);
    EXPECT_FALSE(resolved->isStale);
}

TEST(FolderBookmark, CannotBeMadeOfWhatIsNotAnExistingFolder) {
    TempTree tree;
    EXPECT_FALSE(folderbookmark::create(tree.path() + "/missing"));
    EXPECT_FALSE(folderbookmark::create(tree.write("file.txt", "x")));
    EXPECT_FALSE(folderbookmark::create("relative/folder"));
    EXPECT_FALSE(folderbookmark::create(QByteArray()));
    EXPECT_FALSE(folderbookmark::create(tree.path() + QByteArray("/a\0b", 4)));
}

TEST(FolderBookmark, FailsWhenTheFolderIsGoneAndIsStaleWhenAnotherStandsThere) {
    TempTree tree;
    const QByteArray folder = tree.mkdir("root");
    const QByteArray bookmark = *folderbookmark::create(folder);

    // Moved away: nothing at the path.
    ASSERT_EQ(std::rename(folder.constData(), (tree.path() + "/moved").constData()), 0);
    EXPECT_FALSE(folderbookmark::resolve(bookmark));

    // A different folder at the same path (the old one still exists, so the inode differs).
    tree.mkdir("root");
    const auto resolved = folderbookmark::resolve(bookmark);
    ASSERT_TRUE(resolved);
    EXPECT_EQ(resolved->path, folder);
    EXPECT_TRUE(resolved->isStale);
}

TEST(FolderBookmark, RejectsDamagedAndForeignData) {
    TempTree tree;
    const QByteArray valid = *folderbookmark::create(tree.path());
    EXPECT_FALSE(folderbookmark::resolve(QByteArray()));
    EXPECT_FALSE(folderbookmark::resolve("book\x00mark"));
    EXPECT_FALSE(folderbookmark::resolve(QByteArray(4096, '\xff')));
    EXPECT_FALSE(folderbookmark::resolve(valid + "/extra"));
    EXPECT_FALSE(folderbookmark::resolve(valid.left(valid.size() - 1)));
    EXPECT_FALSE(folderbookmark::resolve(valid.left(30)));
    // Data longer than a bookmark of the longest path is refused before anything is read from it.
    EXPECT_FALSE(folderbookmark::resolve(valid + QByteArray(folderbookmark::kMaxSize, '/')));
    QByteArray wrongVersion = valid;
    wrongVersion[9] = char(wrongVersion[9] + 1);
    EXPECT_FALSE(folderbookmark::resolve(wrongVersion));
    QByteArray wrongMagic = valid;
    wrongMagic[0] = 'X';
    EXPECT_FALSE(folderbookmark::resolve(wrongMagic));
    QByteArray hugeLength = valid;
    hugeLength[26] = '\x7f';
    EXPECT_FALSE(folderbookmark::resolve(hugeLength));
}

// --- Folder URLs --------------------------------------------------------------------------

TEST(FolderUrl, PathsRoundTripThroughFileUrls) {
    const QList<QByteArray> paths = {
        "/home/me/dev",
        "/home/me/my projects/#1 ?x=%20&y",
        "/home/me/caf\xc3\xa9",
        QByteArray("/srv/not-utf8-\xff\xfe/x"),
        "/",
    };
    for (const QByteArray& path : paths) {
        const QUrl url = folderUrl(path);
        EXPECT_TRUE(url.isLocalFile()) << path.constData();
        EXPECT_EQ(localFolderPath(url), path) << url.toString().toStdString();
    }
    EXPECT_EQ(folderUrl("/home/me/my projects").toLocalFile(), QStringLiteral("/home/me/my projects"));
}

TEST(FolderUrl, OnlyLocalAbsoluteFoldersAreAccepted) {
    EXPECT_EQ(localFolderPath(QUrl(QStringLiteral("file:///home/me/dev/"))), QByteArray("/home/me/dev"));
    EXPECT_EQ(localFolderPath(QUrl(QStringLiteral("file:///"))), QByteArray("/"));
    EXPECT_FALSE(localFolderPath(QUrl(QStringLiteral("https://example.com/dev"))));
    EXPECT_FALSE(localFolderPath(QUrl(QStringLiteral("file://server/share"))));
    EXPECT_FALSE(localFolderPath(QUrl()));
    EXPECT_FALSE(localFolderPath(QUrl::fromLocalFile(QStringLiteral("relative/dir"))));
}

// --- The view model's root folder ------------------------------------------------------------

class RootFolderPersistence : public statetest::ViewModelTest {
protected:
    QVariant stored(const QString& key) {
        harness.settings->sync();
        return harness.settings->value(key);
    }
    std::optional<QByteArray> storedBookmarkPath() {
        const auto resolved = folderbookmark::resolve(stored(ProjectsViewModel::scanPathKey()).toByteArray());
        if (!resolved || resolved->isStale) return std::nullopt;
        return resolved->path;
    }
};

TEST_F(RootFolderPersistence, FirstLaunchHasNoRootFolderAndWritesNothing) {
    EXPECT_EQ(ProjectsViewModel::scanPathKey(), QStringLiteral("Codeorchardist.ScanPath"));
    EXPECT_EQ(ProjectsViewModel::scanPathFallbackKey(), QStringLiteral("Codeorchardist.ScanPath.path"));
    auto model = harness.makeViewModel();
    EXPECT_FALSE(model->hasScanPath());
    EXPECT_EQ(model->scanPathText(), QString());
    EXPECT_FALSE(model->scanPathUrl().isValid());
    EXPECT_TRUE(harness.settings->allKeys().isEmpty());
}

TEST_F(RootFolderPersistence, ChosenFolderIsStoredAsBookmarkAndRestoredNextLaunch) {
    const QByteArray folder = tree.mkdir("my projects");
    {
        auto model = harness.makeViewModel();
        QSignalSpy changed(model.get(), &ProjectsViewModel::scanPathChanged);
        model->setScanPath(folder);
        EXPECT_EQ(changed.count(), 1);
        EXPECT_EQ(model->scanPathText(), QString::fromUtf8(folder));
        EXPECT_TRUE(model->hasScanPath());
    }
    EXPECT_EQ(storedBookmarkPath(), folder);
    EXPECT_FALSE(harness.settings->contains(ProjectsViewModel::scanPathFallbackKey()));

    // The next launch, reading the file afresh.
    harness.settings = std::make_shared<QSettings>(harness.settingsFile(), QSettings::IniFormat);
    auto model = harness.makeViewModel();
    EXPECT_EQ(model->scanPathBytes(), folder);
    EXPECT_EQ(model->scanPathUrl(), urlOf(folder));
    EXPECT_EQ(storedBookmarkPath(), folder);
}

TEST_F(RootFolderPersistence, StaleBookmarkIsReplacedByAFreshOne) {
    const QByteArray folder = tree.mkdir("root");
    harness.settings->setValue(ProjectsViewModel::scanPathKey(), *folderbookmark::create(folder));
    ASSERT_EQ(std::rename(folder.constData(), (tree.path() + "/old-root").constData()), 0);
    tree.mkdir("root");

    auto model = harness.makeViewModel();
    EXPECT_EQ(model->scanPathBytes(), folder);
    // The stored bookmark now names the new folder and is no longer stale.
    EXPECT_EQ(storedBookmarkPath(), folder);
}

TEST_F(RootFolderPersistence, PathKeyIsTheFallbackAndIsTurnedIntoABookmark) {
    const QByteArray folder = tree.mkdir("fallback");
    harness.settings->setValue(ProjectsViewModel::scanPathFallbackKey(), QString::fromUtf8(folder));
    auto model = harness.makeViewModel();
    EXPECT_EQ(model->scanPathBytes(), folder);
    // Restoring goes through the setter, which saves the folder again, now as a bookmark.
    EXPECT_EQ(storedBookmarkPath(), folder);
}

TEST_F(RootFolderPersistence, UnresolvableBookmarkFallsBackToThePath) {
    const QByteArray gone = tree.mkdir("gone");
    const QByteArray bookmark = *folderbookmark::create(gone);
    ASSERT_EQ(::rmdir(gone.constData()), 0);
    const QByteArray other = tree.mkdir("other");
    harness.settings->setValue(ProjectsViewModel::scanPathKey(), bookmark);
    harness.settings->setValue(ProjectsViewModel::scanPathFallbackKey(), QString::fromUtf8(other));
    auto model = harness.makeViewModel();
    EXPECT_EQ(model->scanPathBytes(), other);
}

TEST_F(RootFolderPersistence, FolderWithoutBookmarkIsStoredAsPathAndUsedUnchecked) {
    const QByteArray earlier = tree.mkdir("earlier");
    const QByteArray missing = tree.path() + "/not there, yet";
    {
        auto model = harness.makeViewModel();
        model->setScanPath(earlier);
        // No bookmark can be made of a folder that does not exist: its path is stored, and the
        // earlier folder's bookmark must not win over it at the next launch.
        model->chooseFolder(urlOf(missing));
        EXPECT_EQ(stored(ProjectsViewModel::scanPathFallbackKey()).toString(), QString::fromUtf8(missing));
        EXPECT_FALSE(harness.settings->contains(ProjectsViewModel::scanPathKey()));
        QSignalSpy finished(model.get(), &ProjectsViewModel::scanFinished);
        ASSERT_TRUE(finished.wait(60000));
        EXPECT_TRUE(model->projects().isEmpty());
    }
    auto model = harness.makeViewModel();
    EXPECT_EQ(model->scanPathBytes(), missing);
    EXPECT_EQ(stored(ProjectsViewModel::scanPathFallbackKey()).toString(), QString::fromUtf8(missing));
}

TEST_F(RootFolderPersistence, SettingNoFolderRemovesNothing) {
    const QByteArray folder = tree.mkdir("kept");
    auto model = harness.makeViewModel();
    model->setScanPath(folder);
    QSignalSpy changed(model.get(), &ProjectsViewModel::scanPathChanged);
    model->setScanPath(std::nullopt);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(model->hasScanPath());
    EXPECT_EQ(storedBookmarkPath(), folder);
}

TEST_F(RootFolderPersistence, DamagedSettingsFallBackWithoutLosingAnything) {
    const QByteArray folder = tree.mkdir("still here");
    // A damaged bookmark gives way to the path.
    for (const QVariant& value : {QVariant(QByteArray("garbage")), QVariant(QStringLiteral("not bytes"))}) {
        harness.settings->clear();
        harness.settings->setValue(ProjectsViewModel::scanPathKey(), value);
        harness.settings->setValue(ProjectsViewModel::scanPathFallbackKey(), QString::fromUtf8(folder));
        auto model = harness.makeViewModel();
        EXPECT_EQ(model->scanPathBytes(), folder) << value.toString().toStdString();
    }
    // A damaged path gives no folder.
    for (const QVariant& value : {QVariant(QStringList{"/a", "/b"}), QVariant(QStringLiteral("relative"))}) {
        harness.settings->clear();
        harness.settings->setValue(ProjectsViewModel::scanPathFallbackKey(), value);
        auto model = harness.makeViewModel();
        EXPECT_FALSE(model->hasScanPath()) << value.toString().toStdString();
    }
}

TEST_F(RootFolderPersistence, PathLongerThanTheSystemOpensIsDamagedAndNotWrittenBack) {
    const QString tooLong = QStringLiteral("/") + QString(folderbookmark::kMaxPathLength, QLatin1Char('a'));
    harness.settings->setValue(ProjectsViewModel::scanPathFallbackKey(), tooLong);
    harness.settings->sync();
    QFile file(harness.settingsFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    auto model = harness.makeViewModel();
    EXPECT_FALSE(model->hasScanPath());
    harness.settings->sync();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);

    // One character shorter is still a path of a folder that might exist.
    const QString longest = tooLong.left(folderbookmark::kMaxPathLength - 1);
    harness.settings->setValue(ProjectsViewModel::scanPathFallbackKey(), longest);
    EXPECT_EQ(harness.makeViewModel()->scanPathText(), longest);
}

TEST_F(RootFolderPersistence, SettingsFolderThatCannotBeWrittenIsReported) {
    // A regular file where the settings folder should be: not writable even for root.
    const QByteArray blocker = tree.write("not-a-folder", "x");
    harness.settings = std::make_shared<QSettings>(QString::fromUtf8(blocker + "/settings.ini"), QSettings::IniFormat);
    const QByteArray folder = tree.mkdir("chosen");
    auto model = harness.makeViewModel();
    EXPECT_EQ(model->settingsMessage(), QString());
    QSignalSpy changed(model.get(), &ProjectsViewModel::settingsMessageChanged);
    model->setScanPath(folder);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(model->settingsMessage().contains(QString::fromUtf8(blocker + "/settings.ini")))
        << model->settingsMessage().toStdString();
    // The folder is still used for this run.
    EXPECT_EQ(model->scanPathBytes(), folder);
}

TEST(SettingsFile, OversizedOrSpecialFilesAreRefusedWithoutBeingRead) {
    TempTree tree;
    const QByteArray folder = tree.mkdir("root");
    // A valid entry followed by megabytes of padding: reading it at all would restore the folder.
    QByteArray content = "[General]\nCodeorchardist.ScanPath.path=" + folder + "\n";
    const QByteArray huge = tree.write("huge.ini", content + "x=" + QByteArray(settingsfile::kMaxBytes, 'x') + "\n");
    const settingsfile::Opened refused = settingsfile::open(QString::fromUtf8(huge));
    EXPECT_FALSE(refused.settings);
    EXPECT_TRUE(refused.problem.contains(QString::fromUtf8(huge))) << refused.problem.toStdString();

    const QByteArray fifo = tree.path() + "/fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    const settingsfile::Opened special = settingsfile::open(QString::fromUtf8(fifo));
    EXPECT_FALSE(special.settings);
    EXPECT_FALSE(special.problem.isEmpty());

    const settingsfile::Opened small = settingsfile::open(QString::fromUtf8(tree.write("small.ini", content)));
    ASSERT_TRUE(small.settings);
    EXPECT_EQ(small.problem, QString());
    EXPECT_EQ(small.settings->value(ProjectsViewModel::scanPathFallbackKey()).toString(), QString::fromUtf8(folder));

    const settingsfile::Opened missing = settingsfile::open(QString::fromUtf8(tree.path() + "/new/settings.ini"));
    ASSERT_TRUE(missing.settings);
    EXPECT_EQ(missing.problem, QString());
}

TEST_F(RootFolderPersistence, UnreadableSettingsFileIsSurvived) {
    const QString fileName = harness.settingsFile();
    harness.settings.reset();
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const char content[] = "[General]\nCodeorchardist.ScanPath=@ByteArray(\\x\n"
                           "Codeorchardist.ScanPath.path=@Variant(\\0\\0\\xff)\n\x00\x01\xfe garbage = = [\n";
    file.write(content, sizeof(content) - 1);
    file.close();
    harness.settings = std::make_shared<QSettings>(fileName, QSettings::IniFormat);
    auto model = harness.makeViewModel();
    EXPECT_FALSE(model->hasScanPath());
    model->scanProjects();
    EXPECT_FALSE(model->isLoading());
}

TEST_F(RootFolderPersistence, ChooseFolderIgnoresUrlsThatAreNotLocalFolders) {
    auto model = harness.makeViewModel();
    QSignalSpy changed(model.get(), &ProjectsViewModel::scanPathChanged);
    model->chooseFolder(QUrl(QStringLiteral("https://example.com/projects")));
    model->chooseFolder(QUrl());
    EXPECT_EQ(changed.count(), 0);
    EXPECT_FALSE(model->isLoading());
    EXPECT_TRUE(harness.settings->allKeys().isEmpty());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
