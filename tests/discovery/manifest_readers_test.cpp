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
    // No word boundary: a longer key ending in "name" wins when it comes first.
    EXPECT_EQ(parse("project_name = 'first'\nname = 'own'").name, QStringLiteral("first"));
    // White space around "=" may include line breaks and Unicode spaces.
    EXPECT_EQ(parse("version\n=\n'1.0'").version, QStringLiteral("1.0"));
    EXPECT_EQ(parse("version\xE2\x80\x83=\xC2\xA0'2.0'").version, QStringLiteral("2.0"));
    // Case-sensitive keys.
    EXPECT_FALSE(parse("Name = 'x'").name);
}

} // namespace
