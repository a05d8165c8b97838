// Opening a project in the editor from the window: Enter and a double click open the selected
// project, the chooser asks first when no editor is chosen, and remembers the choice; Push All
// ends with a summary whose projects can be selected.
#include "WindowFixture.h"

using uitest::click;
using uitest::findItems;
using uitest::kWindowWait;

namespace {

// Editors that record the folders they were asked to open.
struct RecordingEditors : EditorLauncher {
    QList<EditorChoice> installed{{"kate", "Kate"}, {"code", "VS Code"}};
    QList<QPair<QString, QByteArray>> opened;
    QList<EditorChoice> editors() override { return installed; }
    QString openFolder(const QString& id, const QByteArray& folder) override
    {
        opened.append({id, folder});
        return {};
    }
    QString nothingFoundMessage() const override { return QStringLiteral("Looked for Kate and VS Code"); }
};

class EditorTest : public uitest::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        makeThreeProjects();
        PlatformServices services{m_files, m_clipboard, m_terminal, m_editors, {}};
        m_viewModel = std::make_unique<ProjectsViewModel>(ProjectScanner::shared(), m_settings, services);
        ASSERT_TRUE(openWindow(QSize(1000, 700)));
        ASSERT_TRUE(scan(m_tree.path()));
        m_viewModel->selectProject(idOf("shop"));
    }
    QByteArray shop() const { return m_tree.path() + "/apps/shop"; }
    std::shared_ptr<RecordingEditors> m_editors = std::make_shared<RecordingEditors>();
};

TEST_F(EditorTest, EnterAsksForTheEditorOnceThenOpensEveryViewsProjectInIt)
{
    m_window->setProperty("viewMode", int(ViewMode::List));
    ASSERT_TRUE(waitShown("projectList"));
    item("projectList")->forceActiveFocus();
    QTest::keyClick(m_window.get(), Qt::Key_Return);
    ASSERT_TRUE(waitShown("editorList")) << "two editors and none chosen: the chooser asks";
    EXPECT_TRUE(m_editors->opened.isEmpty());
    EXPECT_EQ(text("rememberForKind"), "Remember for Node.js projects");
    QList<QQuickItem*> choices = findItems(m_window.get(), "editorChoice");
    ASSERT_EQ(choices.size(), 2);
    click(choices[1]);
    click(item("rememberForKind"));
    QTest::keyClick(m_window.get(), Qt::Key_Return);
    ASSERT_EQ(m_editors->opened.size(), 1);
    EXPECT_EQ(m_editors->opened[0], qMakePair(QStringLiteral("code"), shop()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shown("editorList"); }, kWindowWait));
    EXPECT_EQ(text("openEditorButton"), "Open in VS Code");

    // Remembered: Enter and a double click open at once, in every view.
    QTest::keyClick(m_window.get(), Qt::Key_Return);
    ASSERT_EQ(m_editors->opened.size(), 2);
    struct { ViewMode::Mode mode; const char* item; } views[] = {
        {ViewMode::List, "projectRow"}, {ViewMode::Tree, "projectNode"}, {ViewMode::Cards, "projectCard"}};
    for (const auto& v : views) {
        m_window->setProperty("viewMode", int(v.mode));
        QQuickItem* target = nullptr;
        ASSERT_TRUE(QTest::qWaitFor([&] {
            for (QQuickItem* i : findItems(m_window.get(), v.item))
                if (uitest::showsText(i, "shop") || i->property("name").toString() == "shop") target = i;
            return target != nullptr;
        }, kWindowWait)) << v.item;
        const qsizetype before = m_editors->opened.size();
        const QPoint centre = target->mapToScene(QPointF(target->width() / 2, target->height() / 2)).toPoint();
        QTest::mouseDClick(m_window.get(), Qt::LeftButton, {}, centre);
        EXPECT_TRUE(QTest::qWaitFor([&] { return m_editors->opened.size() > before; }, kWindowWait)) << v.item;
        EXPECT_EQ(m_editors->opened.last().second, shop()) << v.item;
    }
}

TEST_F(EditorTest, WithNoEditorTheChooserSaysHowEditorsAreFound)
{
    m_editors->installed.clear();
    m_viewModel->reloadEditors();
    m_window->setProperty("viewMode", int(ViewMode::List));
    ASSERT_TRUE(waitShown("chooseEditorButton"));
    auto* flick = item("projectDetail")->property("contentItem").value<QQuickItem*>();
    ASSERT_NE(flick, nullptr);
    flick->setProperty("contentY", std::max(0.0, flick->property("contentHeight").toDouble() - flick->height()));
    click(item("chooseEditorButton"));
    ASSERT_TRUE(waitShown("noEditorsText"));
    EXPECT_TRUE(text("noEditorsText").contains("desktop entries"));
}

TEST_F(EditorTest, PushAllEndsWithASummaryWhoseProjectsCanBeSelected)
{
    const QByteArray pusher = m_tree.mkdir("apps/pusher");
    m_tree.write("apps/pusher/package.json", R"({"name":"pusher"})");
    testfolders::initRepository(pusher);
    const QByteArray bare = m_tree.mkdir("remotes/pusher.git");
    testfolders::git(bare, {"init", "-q", "--bare"});
    testfolders::git(pusher, {"remote", "add", "origin", QString::fromUtf8(bare)});
    testfolders::git(pusher, {"push", "-q", "-u", "origin", "HEAD"});
    m_tree.write("apps/pusher/more.txt", "more\n");
    testfolders::git(pusher, {"add", "-A"});
    testfolders::git(pusher, {"commit", "-qm", "More"});
    ASSERT_TRUE(scan(m_tree.path()));
    m_viewModel->selectProject(idOf("shop"));

    ASSERT_TRUE(waitShown("pushAllButton"));
    click(item("pushAllButton"));
    ASSERT_TRUE(waitShown("bulkSummaryText")) << "the summary when the batch ends";
    EXPECT_TRUE(text("bulkSummaryText").contains("1 pushed")) << text("bulkSummaryText").toStdString();
    QQuickItem* result = nullptr;
    for (QQuickItem* r : findItems(m_window.get(), "bulkResult"))
        for (const QString& t : uitest::visibleTexts(r))
            if (t.startsWith("pusher")) result = r;
    ASSERT_NE(result, nullptr);
    click(result);
    EXPECT_EQ(m_viewModel->selectedProjectId(), idOf("pusher"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shown("bulkSummaryText"); }, kWindowWait));
}

} // namespace
