// The folder chooser end to end: opened from the welcome button, a path typed into the
// dialog (with "~" and characters that URLs treat specially), accepted; exactly that folder
// is stored and scanned, not a child of it. Where the dialog opens, and that it takes the
// window's light or dark appearance.
#include "Appearance.h"
#include "ColorScheme.h"
#include "FolderChooser.h"
#include "WindowFixture.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using uitest::WindowFixture;
using uitest::kWindowWait;

class FolderChooserTest : public WindowFixture {
protected:
    FolderChooser* chooser() { return m_window->findChild<FolderChooser*>("folderChooser"); }
    QFileDialog* waitForDialog()
    {
        FolderChooser* c = chooser();
        if (!c || !QTest::qWaitFor([&] { return c->dialog() && c->dialog()->isVisible(); }, kWindowWait))
            return nullptr;
        return c->dialog();
    }
};

TEST_F(FolderChooserTest, TheTypedFolderIsExactlyTheOneStoredAndScanned)
{
    // The folder has a child project that a chooser must not pick instead of it.
    const QByteArray chosen = m_tree.mkdir("code #1 % ü");
    m_tree.write("code #1 % ü/alpha/package.json", R"({"name":"alpha"})");
    m_tree.write("code #1 % ü/beta/pyproject.toml", "[project]\nname = \"beta\"\n");
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", m_tree.path());
    makeViewModel();
    QQuickWindow* window = openWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(waitShown("selectFolderButton"));

    uitest::click(item("selectFolderButton"));
    QFileDialog* dialog = waitForDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(QString::fromUtf8(m_tree.path())).canonicalPath())
        << "without a root folder it opens at home";
    auto* field = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_TRUE(field) << "the widget dialog has a path field";
    // The folder list fills in the background; once it has, the dialog no longer resets the
    // path field under the user's typing.
    auto* files = dialog->findChild<QFileSystemModel*>();
    ASSERT_TRUE(files);
    EXPECT_TRUE(QTest::qWaitFor([&] { return files->rowCount(files->index(dialog->directory().absolutePath())) > 0; },
                                kWindowWait));
    // What the user sees before pressing the button: the dialog has taken the typed path. A
    // user whose typing was lost to a late refresh on a loaded machine types it again.
    const auto typed = [&] { return dialog->selectedFiles() == QStringList{QString::fromUtf8(chosen)}; };
    for (int attempt = 0; attempt < 3 && !typed(); ++attempt) {
        field->setFocus();
        field->clear();
        // Typed up to the last letter, which is pasted (the key simulation knows no "ü").
        QTest::keyClicks(field, QStringLiteral("~/code #1 % "));
        field->insert(QStringLiteral("ü"));
        if (QTest::qWaitFor(typed, kWindowWait / 3)) break;
    }
    EXPECT_TRUE(typed()) << dialog->selectedFiles().join(", ").toStdString();
    auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
    ASSERT_TRUE(buttons);
    QPushButton* accept = nullptr;
    for (QAbstractButton* b : buttons->buttons())
        if (buttons->buttonRole(b) == QDialogButtonBox::AcceptRole)
            accept = qobject_cast<QPushButton*>(b);
    ASSERT_TRUE(accept);
    EXPECT_EQ(accept->text(), "Select Folder");
    QTest::mouseClick(accept, Qt::LeftButton);

    ASSERT_TRUE(QTest::qWaitFor([&] { return m_viewModel->hasScanPath(); }, kWindowWait));
    EXPECT_EQ(m_viewModel->scanPathBytes(), chosen);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_viewModel->isLoading() && m_viewModel->projectCount() > 0; },
                                kWindowWait));
    QStringList names;
    for (const Project& p : m_viewModel->projects())
        names.append(p.name);
    EXPECT_EQ(names, QStringList({"alpha", "beta"}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !chooser()->dialog(); }, kWindowWait));

    // The next time it opens in that very folder.
    uitest::click(item("folderButton"));
    dialog = waitForDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->directory().absolutePath(), QString::fromUtf8(chosen));
    dialog->reject();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !chooser()->dialog(); }, kWindowWait));
    EXPECT_EQ(m_viewModel->scanPathBytes(), chosen) << "cancelling keeps the folder";
    qputenv("HOME", home);
}

TEST_F(FolderChooserTest, TheWidgetDialogTakesTheWindowsAppearance)
{
    Appearance::instance()->setOverrideMode("dark");
    makeViewModel();
    ASSERT_TRUE(openWindow());
    ASSERT_TRUE(waitShown("selectFolderButton"));
    uitest::click(item("selectFolderButton"));
    QFileDialog* dialog = waitForDialog();
    ASSERT_TRUE(dialog);
    // The path field and the folder list show their text on the dark surfaces.
    auto* field = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_TRUE(field);
    auto expectAppearance = [&](bool dark) {
        const QPalette p = field->palette();
        EXPECT_EQ(p.color(QPalette::Window), colorscheme::surface("window", dark));
        EXPECT_EQ(p.color(QPalette::Base), colorscheme::surface("text", dark));
        EXPECT_GE(colorscheme::contrast(p.color(QPalette::Text), p.color(QPalette::Base)), 4.5);
        EXPECT_GE(colorscheme::contrast(p.color(QPalette::ButtonText), p.color(QPalette::Button)), 4.5);
        EXPECT_GE(colorscheme::contrast(p.color(QPalette::HighlightedText), p.color(QPalette::Highlight)), 4.5);
    };
    expectAppearance(true);
    // A switch while it is open applies at once.
    Appearance::instance()->setOverrideMode("light");
    expectAppearance(false);
    dialog->reject();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !chooser()->dialog(); }, kWindowWait));
    Appearance::instance()->setOverrideMode(QString());
}

TEST(FolderChooserStart, OpensAtTheRootFolderWhenItExistsElseAtHome)
{
    QTemporaryDir dir;
    const QString root = dir.path() + "/a b#c?d%e";
    ASSERT_TRUE(QDir().mkpath(root));
    EXPECT_EQ(FolderChooser::startFolder(root, "/home/me"), root);
    EXPECT_EQ(FolderChooser::startFolder(dir.path() + "/gone", "/home/me"), "/home/me");
    EXPECT_EQ(FolderChooser::startFolder(QString(), "/home/me"), "/home/me");
}

} // namespace
