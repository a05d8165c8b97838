// What the window offers to do with a project: the menu's entries and the keys.
#include "ProjectActions.h"

#include <gtest/gtest.h>

using projectactions::Abilities;
using projectactions::Entry;
using projectactions::KeyAction;

namespace {

QVariantMap repository(bool remotes) {
    QVariantMap project{{"hasGit", true}, {"path", "/p"}};
    if (remotes) project.insert("remotes", QVariantList{QVariantMap{{"name", "origin"}}});
    return project;
}

// The keys of the entries, "|" for a separator, and the disabled ones with their reason.
QString shape(const QList<Entry>& entries) {
    QStringList parts;
    for (const Entry& e : entries)
        parts << (e.key.isEmpty() ? QStringLiteral("|") : e.enabled ? e.key : e.key + "(" + e.reason + ")");
    return parts.join(' ');
}

struct MenuCase {
    const char* name;
    QVariantMap project;
    Abilities abilities;
    bool fetching;
    const char* expected;
};

class Menu : public ::testing::TestWithParam<MenuCase> {};

TEST_P(Menu, OffersWhatCanWorkAndSaysWhyNot) {
    const MenuCase& c = GetParam();
    EXPECT_EQ(shape(projectactions::menuEntries(c.project, c.abilities, {}, c.fetching)), QString::fromUtf8(c.expected));
}

const Abilities everything{true, true, true};
QVariantMap engineRecord(QVariantMap project) {
    project.insert({{"canFetch", true}, {"canPull", false}, {"pullReason", "Not behind its upstream"},
                    {"canPush", true}, {"remoteWebUrl", "https://example.com/team/shop"}});
    return project;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Menu,
    ::testing::Values(
        MenuCase{"FolderWithoutGit", QVariantMap{{"hasGit", false}}, everything, false,
                 "editor chooseEditor terminal files | copyPath refresh"},
        MenuCase{"EngineWithoutEditorsOrPull", repository(true), Abilities{}, false,
                 "terminal files | fetch | copyPath refresh"},
        MenuCase{"RepositoryWithoutRemote", repository(false), Abilities{}, false,
                 "terminal files | fetch(No remote to fetch from) | copyPath refresh"},
        MenuCase{"FetchRunning", repository(true), Abilities{}, true,
                 "terminal files | fetch(A fetch is running) | copyPath refresh"},
        MenuCase{"FullRecord", engineRecord(repository(true)), everything, false,
                 "editor chooseEditor terminal files browser | fetch pull(Not behind its upstream) push | copyPath refresh"},
        MenuCase{"RecordWithoutWebPageOrRemote",
                 [] { auto p = engineRecord(repository(false)); p["remoteWebUrl"] = ""; p["canFetch"] = false;
                      p["fetchReason"] = "No remote to fetch from"; return p; }(),
                 everything, false,
                 "editor chooseEditor terminal files browser(No remote to open) | fetch(No remote to fetch from) "
                 "pull(Not behind its upstream) push | copyPath refresh"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProjectActionTexts, EditorNameAndGitTooltips) {
    EXPECT_EQ(projectactions::editorActionText({}), "Open in Editor");
    EXPECT_EQ(projectactions::editorActionText("Kate"), "Open in Kate");
    const QString pullTip = projectactions::buttonTip({"pull", "Pull", false, "Local changes"}, {});
    EXPECT_TRUE(pullTip.startsWith("Local changes")) << pullTip.toStdString();
    EXPECT_TRUE(pullTip.contains("hooks do not run from here")) << pullTip.toStdString();
    EXPECT_EQ(projectactions::buttonTip({"push", "Push", true, {}}, "Hooks stay off.").right(15), "Hooks stay off.");
    EXPECT_FALSE(projectactions::buttonTip({"editor", "Open in Kate", true, {}}, "note").contains("note"));
}

TEST(ProjectActionSummary, GroupsFailuresFirstThenSkippedThenTheRest) {
    auto result = [](const char* name, const char* r) { return QVariantMap{{"name", name}, {"result", r}}; };
    const QVariantList groups = projectactions::summaryGroups(
        {result("a", "pulled"), result("b", "up-to-date"), result("c", "failed"), result("d", "pulled"),
         result("e", "skipped")});
    QStringList titles;
    for (const QVariant& g : groups) titles << g.toMap()["title"].toString();
    EXPECT_EQ(titles, QStringList({"Failed (1)", "Skipped (1)", "Pulled (2)", "Up to date (1)"}));
    EXPECT_EQ(groups[2].toMap()["items"].toList()[1].toMap()["name"], "d");
    EXPECT_TRUE(projectactions::summaryGroups({}).isEmpty());
}

TEST(ProjectActionKeys, EnterOpensMenuKeyAndShiftF10OpenTheMenu) {
    struct { int key; Qt::KeyboardModifiers modifiers; KeyAction action; } cases[] = {
        {Qt::Key_Return, Qt::NoModifier, KeyAction::open},
        {Qt::Key_Enter, Qt::KeypadModifier, KeyAction::open},
        {Qt::Key_Return, Qt::ControlModifier, KeyAction::none},
        {Qt::Key_Menu, Qt::NoModifier, KeyAction::menu},
        {Qt::Key_F10, Qt::ShiftModifier, KeyAction::menu},
        {Qt::Key_F10, Qt::NoModifier, KeyAction::none},
        {Qt::Key_Space, Qt::NoModifier, KeyAction::none},
    };
    for (const auto& c : cases)
        EXPECT_EQ(projectactions::keyAction(c.key, c.modifiers), c.action) << c.key;
}

} // namespace
