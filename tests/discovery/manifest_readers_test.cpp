#include "discovery/ManifestReaders.h"
#include "support/TestFolders.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using testfolders::TempTree;

namespace {

ManifestInfo packageJson(const QByteArray& content) {
    TempTree tree;
    tree.write("package.json", content);
    return parsePackageJSON(tree.path());
}

ManifestInfo pom(const QByteArray& content) {
    TempTree tree;
    tree.write("pom.xml", content);
    return parsePomXML(tree.path());
}

TEST(PackageJson, ReadsNameVersionAndFrameworkFlags) {
    const ManifestInfo both = packageJson(R"({"name":"app","version":" 1.0 ",
        "dependencies":{"react-native":null},"devDependencies":{"next":"14"}})");
    EXPECT_EQ(both.name, QStringLiteral("app"));
    EXPECT_EQ(both.version, QStringLiteral(" 1.0 "));
    EXPECT_TRUE(both.isReactNative);
    EXPECT_TRUE(both.isNextJS);

    const ManifestInfo devOnly = packageJson(R"({"devDependencies":{"react-native":"1"}})");
    EXPECT_FALSE(devOnly.isReactNative);
    EXPECT_FALSE(devOnly.isNextJS);

    const ManifestInfo nextInDeps = packageJson(R"({"dependencies":{"next":"1"}})");
    EXPECT_TRUE(nextInDeps.isNextJS);
    EXPECT_FALSE(nextInDeps.name);

    // Keys match exactly; nested keys and wrong-typed tables do not count.
    const ManifestInfo odd = packageJson(R"({"Name":"x","dependencies":["next"],"devDependencies":{"x":{"next":1}}})");
    EXPECT_FALSE(odd.name);
    EXPECT_FALSE(odd.isNextJS);
}

TEST(PackageJson, WrongTypesAndBrokenFilesGiveEmptyFields) {
    const ManifestInfo numberName = packageJson(R"({"name":42,"version":"2.0"})");
    EXPECT_FALSE(numberName.name);
    EXPECT_EQ(numberName.version, QStringLiteral("2.0"));

    EXPECT_EQ(packageJson(R"([{"name":"x"}])"), ManifestInfo{});
    EXPECT_EQ(packageJson(R"({"name":"x",)"), ManifestInfo{});
    EXPECT_EQ(packageJson("\"just a string\""), ManifestInfo{});
    EXPECT_EQ(packageJson(""), ManifestInfo{});
    EXPECT_EQ(packageJson(QByteArray(5000, '[')), ManifestInfo{});

    const ManifestInfo empty = packageJson(R"({"name":""})");
    EXPECT_EQ(empty.name, QString());

    TempTree none;
    EXPECT_EQ(parsePackageJSON(none.path()), ManifestInfo{});
}

TEST(PackageJson, SpecialFilesAreNotReadAndDoNotBlock) {
    TempTree tree;
    ASSERT_EQ(::mkfifo((tree.path() + "/package.json").constData(), 0644), 0);
    EXPECT_EQ(parsePackageJSON(tree.path()), ManifestInfo{}); // a FIFO would block a plain read
    TempTree dirTree;
    dirTree.mkdir("package.json");
    EXPECT_EQ(parsePackageJSON(dirTree.path()), ManifestInfo{});
}

TEST(PomXml, TakesTheFirstMatchAnywhereInTheText) {
    const ManifestInfo withParent = pom(R"(<project>
  <parent><artifactId>parent-pom</artifactId><version>9.1</version></parent>
  <artifactId>child</artifactId><version>1.0</version>
</project>)");
    EXPECT_EQ(withParent.name, QStringLiteral("parent-pom"));
    EXPECT_EQ(withParent.version, QStringLiteral("9.1"));

    const ManifestInfo multiline = pom("<version>\n  3.2\n</version><artifactId>a</artifactId>");
    EXPECT_EQ(multiline.version, QStringLiteral("\n  3.2\n"));
    EXPECT_EQ(multiline.name, QStringLiteral("a"));

    const ManifestInfo wrongCase = pom("<Version>1</Version><artifactId></artifactId>");
    EXPECT_FALSE(wrongCase.version);
    EXPECT_FALSE(wrongCase.name);
    EXPECT_FALSE(wrongCase.isNextJS);
}

TEST(Manifests, AByteOrderMarkAtTheStartIsNoPartOfTheText) {
    const ManifestInfo json = packageJson("\xEF\xBB\xBF{\"name\":\"bom\"}");
    EXPECT_EQ(json.name, QStringLiteral("bom"));
    EXPECT_EQ(pom("\xEF\xBB\xBF<artifactId>a</artifactId>").name, QStringLiteral("a"));
    TempTree tree;
    tree.write("pyproject.toml", "\xEF\xBB\xBFname = 'first-line'\n");
    EXPECT_EQ(parsePythonProject(tree.path()).name, QStringLiteral("first-line"));
    // Only at the start: a mark later on is an ordinary character of the value.
    EXPECT_EQ(pom("<artifactId>\xEF\xBB\xBF" "a</artifactId>").name, QString(QChar(0xFEFF)) + QLatin1Char('a'));
}

TEST(PomXml, InvalidUtf8GivesAnEmptyRecord) {
    EXPECT_EQ(pom("<artifactId>caf\xE9</artifactId><version>1</version>"), ManifestInfo{});
}

TEST(PythonProject, PyprojectWinsWhenItHasEitherField) {
    TempTree tree;
    tree.write("pyproject.toml", "[project]\nversion = \"0.3\"\n");
    tree.write("setup.py", "setup(name='other', version='9')");
    const ManifestInfo info = parsePythonProject(tree.path());
    EXPECT_FALSE(info.name);
    EXPECT_EQ(info.version, QStringLiteral("0.3"));
}

TEST(PythonProject, FallsThroughToSetupPy) {
    TempTree tree;
    tree.write("pyproject.toml", "[build-system]\nrequires = [\"setuptools\"]\n");
    tree.write("setup.py", "from setuptools import setup\nsetup(\n    name='tool',\n    version=\"2.1\",\n)\n");
    const ManifestInfo info = parsePythonProject(tree.path());
    EXPECT_EQ(info.name, QStringLiteral("tool"));
    EXPECT_EQ(info.version, QStringLiteral("2.1"));

    TempTree onlySetup;
    onlySetup.write("setup.py", "setup(name = 'x')");
    EXPECT_EQ(parsePythonProject(onlySetup.path()).name, QStringLiteral("x"));

    // Keyword arguments may share a line, but a longer name ending in the key is not the key.
    TempTree longerKeys;
    longerKeys.write("setup.py", "project_name = 'no'\nmeta.version = '0'\nsetup(name='yes', python_version='3', version='4')");
    const ManifestInfo keywords = parsePythonProject(longerKeys.path());
    EXPECT_EQ(keywords.name, QStringLiteral("yes"));
    EXPECT_EQ(keywords.version, QStringLiteral("4"));

    TempTree neither;
    neither.write("pyproject.toml", "nothing here");
    EXPECT_EQ(parsePythonProject(neither.path()), ManifestInfo{});
}

TEST(PythonProject, PatternRules) {
    const auto parse = [](const QByteArray& text) {
        TempTree tree;
        tree.write("pyproject.toml", text);
        return parsePythonProject(tree.path());
    };
    // Mixed quotes match; an empty value does not, the search goes on.
    EXPECT_EQ(parse("name = \"mixed'").name, QStringLiteral("mixed"));
    EXPECT_EQ(parse("name = \"\"\nname = 'later'").name, QStringLiteral("later"));
    // Only a whole key at the start of its line counts: not the end of a longer key, not a
    // key inside an inline table, not one after other text.
    EXPECT_EQ(parse("project_name = 'first'\nname = 'own'").name, QStringLiteral("own"));
    const ManifestInfo ruffFirst =
        parse("[tool.ruff]\ntarget-version = \"py38\"\n\n[project]\n  name = \"app\"\n\tversion = \"1.2\"\n");
    EXPECT_EQ(ruffFirst.name, QStringLiteral("app"));
    EXPECT_EQ(ruffFirst.version, QStringLiteral("1.2"));
    EXPECT_EQ(parse("dep = { name = 'inline', version = '0' }\nversion = '3'").version, QStringLiteral("3"));
    EXPECT_FALSE(parse("dep = { name = 'inline' }").name);
    EXPECT_FALSE(parse("# name = 'commented'").name);
    // White space around "=" may include line breaks and Unicode spaces.
    EXPECT_EQ(parse("version\n=\n'1.0'").version, QStringLiteral("1.0"));
    EXPECT_EQ(parse("version\xE2\x80\x83=\xC2\xA0'2.0'").version, QStringLiteral("2.0"));
    // Case-sensitive keys.
    EXPECT_FALSE(parse("Name = 'x'").name);
}

} // namespace
