// The manifest readers on real manifests (the lines that matter, from public projects) and on
// the edge cases of each rule.
#include "discovery/ManifestReaders.h"
#include "support/TestFolders.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using testfolders::TempTree;

namespace {

struct Case {
    const char* what;
    ManifestInfo (*read)(QByteArrayView);
    QByteArray text;
    std::optional<QString> name;
    std::optional<QString> version;
};

ManifestInfo pyproject(QByteArrayView text) { return parsePythonProjectData(text.toByteArray(), std::nullopt); }
ManifestInfo setupPy(QByteArrayView text) { return parsePythonProjectData(std::nullopt, text.toByteArray()); }

const std::optional<QString> none;
QString s(const char* text) { return QString::fromUtf8(text); }

const Case kCases[] = {
    {"package.json", parsePackageJSONData, R"({"name":"app","version":" 1.0 "})", s("app"), s(" 1.0 ")},
    {"package.json, wrong types", parsePackageJSONData, R"({"name":42,"Version":"2","version":"2.0"})", none, s("2.0")},
    {"package.json, array", parsePackageJSONData, R"([{"name":"x"}])", none, none},
    {"package.json, broken", parsePackageJSONData, R"({"name":"x",)", none, none},
    {"package.json, deep", parsePackageJSONData, QByteArray(5000, '['), none, none},
    {"package.json, empty name", parsePackageJSONData, R"({"name":""})", s(""), none},
    {"package.json, BOM", parsePackageJSONData, "\xEF\xBB\xBF{\"name\":\"bom\"}", s("bom"), none},
    {"composer.json (laravel)", parseComposerJsonData, R"({"name": "laravel/laravel", "type": "project"})",
     s("laravel/laravel"), none},
    // spring-petclinic: the parent's coordinates come first.
    {"pom.xml with parent", parsePomXMLData, R"(<?xml version="1.0" encoding="UTF-8"?>
<project xmlns="http://maven.apache.org/POM/4.0.0"><modelVersion>4.0.0</modelVersion>
  <parent><groupId>org.springframework.boot</groupId><artifactId>spring-boot-starter-parent</artifactId>
    <version>4.0.3</version><relativePath/></parent>
  <groupId>org.springframework.samples</groupId><artifactId>spring-petclinic</artifactId>
  <version>4.0.0-SNAPSHOT</version>
  <dependencies><dependency><artifactId>x</artifactId><version>9</version></dependency></dependencies>
</project>)", s("spring-petclinic"), s("4.0.0-SNAPSHOT")},
    {"pom.xml, version from the parent", parsePomXMLData,
     "<project><parent><artifactId>commons-parent</artifactId><version>104</version></parent>"
     "<artifactId>commons-cli</artifactId><version></version></project>", s("commons-cli"), s("104")},
    {"pom.xml, text kept", parsePomXMLData, "<project><version>\n  3.2\n</version><artifactId>a&amp;b</artifactId></project>",
     s("a&b"), s("\n  3.2\n")},
    {"pom.xml, ISO-8859-1", parsePomXMLData,
     "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><project><artifactId>caf\xE9</artifactId></project>", s("café"), none},
    {"pom.xml, not a project", parsePomXMLData, "<artifactId>half</artifactId>", none, none},
    {"pom.xml, not well-formed", parsePomXMLData, "<project><parent><artifactId>p</artifactId></parent><version>1<br></project>",
     s("p"), none},
    {"pom.xml, not well-formed, first match", parsePomXMLData, "<version>2</version><artifactId>a</artifactId><x>", s("a"), s("2")},
    {"pyproject [project]", pyproject, "[tool.ruff]\ntarget-version = \"py38\"\n[project]\nname = \"app\"\nversion = \"1.2\"\n",
     s("app"), s("1.2")},
    {"pyproject, dynamic version (black)", pyproject,
     "[project]\nname = \"black\"\ndynamic = [\"readme\", \"version\"]\n[tool.poetry]\nversion = \"0\"\n", s("black"), none},
    {"pyproject, Poetry only", pyproject, "[tool.poetry]\nname = \"poetry\"\nversion = \"1.8.3\"\n", s("poetry"), s("1.8.3")},
    {"pyproject, text beyond ASCII and tildes", pyproject,
     "[project] # caf\xC3\xA9\ndescription = \"\"\"a\\\n  \xC3\xA9\"\"\"\nname = \"~0~caf\xC3\xA9\\u00e9~\"\n", s("~0~caféé~"),
     none},
    {"pyproject, beyond ASCII where TOML allows none", pyproject, "[project]\nname = 'x'\nversion = \xC3\xA9\n", s("x"), none},
    {"pyproject, inline tables are not the project's", pyproject, "dep = { name = 'inline', version = '0' }\n", none, none},
    {"pyproject, not TOML: whole keys", pyproject, "project_name = 'no'\nname = 'own'\nversion = \"mixed'\n[", s("own"),
     s("mixed")},
    {"pyproject, not TOML: empty values skipped", pyproject, "name = \"\"\nname = 'later'\n[[", s("later"), none},
    {"setup.py keyword arguments", setupPy,
     "setup(\n    name='tool', python_version='3',\n    version=\"2.1\",\n)", s("tool"), s("2.1")},
    {"setup.py option strings (antlr)", setupPy,
     "user_options = [('antlr-version=', None, 'which')]\nversion = '9'\nsetup(name = 'x')", s("x"), none},
    {"Cargo.toml", [](QByteArrayView t) {
         const CargoManifest c = parseCargoTomlData(t);
         return ManifestInfo{c.name, c.version};
     }, "[package]\nname = \"ripgrep\"\nversion = \"14.1.1\"  # comment\n[dependencies]\nbstr = \"1.7\"\n", s("ripgrep"),
     s("14.1.1")},
    {"go.mod (fzf)", [](QByteArrayView t) { return ManifestInfo{parseGoModData(t), {}}; },
     "module github.com/junegunn/fzf\n\ngo 1.20\n", s("fzf"), none},
    {"go.mod, major version", [](QByteArrayView t) { return ManifestInfo{parseGoModData(t), {}}; },
     "// comment\nmodule \"example.com/acme/tool/v2\" // tool\n", s("tool"), none},
    {"go.mod, gopkg.in", [](QByteArrayView t) { return ManifestInfo{parseGoModData(t), {}}; }, "module gopkg.in/yaml.v3\n",
     s("yaml.v3"), none},
    {"Gradle build version", [](QByteArrayView t) { return parseGradleData(std::nullopt, t.toByteArray(), std::nullopt); },
     "plugins { id 'java' version '1.0' }\n  version = \"5.0.0\"\n", none, s("5.0.0")},
    {"Gradle Groovy version", [](QByteArrayView t) { return parseGradleData(std::nullopt, t.toByteArray(), std::nullopt); },
     "group 'x'\nversion '0.3.1'\n", none, s("0.3.1")},
    {"Gradle settings and properties",
     [](QByteArrayView t) { return parseGradleData(t.toByteArray(), "apply plugin: 'x'", "versionCode=3\nversion = 2.3.4\n"); },
     "// rootProject.name = 'old'\nrootProject.name = \"okhttp-parent\"\n", s("okhttp-parent"), s("2.3.4")},
    {"csproj (Newtonsoft.Json)", [](QByteArrayView t) { return ManifestInfo{{}, parseDotnetVersionData(t)}; },
     "<Project Sdk=\"Microsoft.NET.Sdk\"><ItemGroup><PackageReference Include=\"x\"><Version>9</Version>"
     "</PackageReference></ItemGroup><PropertyGroup><Version>13.0.3</Version></PropertyGroup></Project>", none, s("13.0.3")},
    {"pubspec (Flutter app)", parsePubspecData,
     "name: flutter_gallery\ndescription: \"A gallery\"\nversion: 2.10.2+021002 # comment\ndependencies:\n  flutter:\n"
     "    sdk: flutter\n", s("flutter_gallery"), s("2.10.2+021002")},
    {"gemspec (rails)", parseGemspecData,
     "Gem::Specification.new do |s|\n  # s.name = 'old'\n  s.name        = \"rails\"\n  s.version     = version\nend\n",
     s("rails"), none},
    {"gemspec, literal version", parseGemspecData, "Gem::Specification.new do |spec|\n  spec.name = 'rake'\n  spec.version = '13.2.1'\n",
     s("rake"), s("13.2.1")},
};

TEST(ManifestReaders, RealManifestsAndEdgeCases) {
    for (const Case& c : kCases) {
        const ManifestInfo info = c.read(c.text);
        EXPECT_EQ(info.name, c.name) << c.what;
        EXPECT_EQ(info.version, c.version) << c.what;
    }
}

TEST(ManifestReaders, FrameworkFlags) {
    const ManifestInfo both = parsePackageJSONData(R"({"dependencies":{"react-native":null},"devDependencies":{"next":"14"}})");
    EXPECT_TRUE(both.isReactNative && both.isNextJS);
    const ManifestInfo devOnly = parsePackageJSONData(R"({"devDependencies":{"react-native":"1"},"dependencies":["next"]})");
    EXPECT_FALSE(devOnly.isReactNative || devOnly.isNextJS);
    EXPECT_TRUE(parsePubspecData("name: app\nflutter:\n  uses-material-design: true\n").isFlutter);
    // sdk: flutter counts among the dependencies only; environment's sdk is Dart's.
    EXPECT_FALSE(parsePubspecData("name: http\nenvironment:\n  sdk: flutter\ndev_dependencies:\n  test: ^1.0\n").isFlutter);
}

TEST(ManifestReaders, BuildFilesCountOnlyWithAProjectCall) {
    struct Native {
        QByteArray cmake;
        bool project;
        std::optional<QString> name;
        std::optional<QString> version;
    };
    const Native cases[] = {
        {"cmake_minimum_required(VERSION 3.14)\nproject(nlohmann_json VERSION 3.11.3 LANGUAGES CXX)\n", true,
         s("nlohmann_json"), s("3.11.3")},
        {"# project(fake)\nPROJECT( \"my app\"\n  VERSION \"1.2\" ) # trailing", true, s("my app"), s("1.2")},
        {"project([[bracket name]] CXX)", true, s("bracket name"), none},
        {"add_subdirectory(src)\nExternalProject_Add(project)\nset(x \"project(no)\")\n#[[ project(no) ]]\n", false, none,
         none},
        {"if(X)\n  message(\"a (b)\")\nendif()\nproject(fmt CXX)", true, s("fmt"), none},
    };
    for (const Native& c : cases) {
        const std::optional<ManifestInfo> info = parseCMakeListsData(c.cmake);
        ASSERT_EQ(info.has_value(), c.project) << c.cmake.constData();
        if (!info) continue;
        EXPECT_EQ(info->name, c.name) << c.cmake.constData();
        EXPECT_EQ(info->version, c.version) << c.cmake.constData();
    }
    const auto glib = parseMesonBuildData("# project('no')\nproject('glib', 'c',\n  version : '2.83.0',\n"
                                          "  default_options : ['warning_level=1'],\n  meson_version : '>= 1.4.0')\n");
    ASSERT_TRUE(glib);
    EXPECT_EQ(glib->name, s("glib"));
    EXPECT_EQ(glib->version, s("2.83.0"));
    EXPECT_FALSE(parseMesonBuildData("subdir('src')\nx = 'project(no)'\nexecutable('project', 'a.c')\n"));
}

TEST(ManifestReaders, WorkspaceTablesOfCargo) {
    const CargoManifest member = parseCargoTomlData("[package]\nname = \"tokio\"\nversion.workspace = true\n");
    EXPECT_TRUE(member.inheritsVersion);
    EXPECT_FALSE(member.version);
    EXPECT_TRUE(parseCargoTomlData("[package]\nname = \"a\"\nversion = { workspace = true }\n").inheritsVersion);
    const CargoManifest root = parseCargoTomlData("[workspace]\nmembers = [\"tokio\"]\n[workspace.package]\nversion = \"1.0.0\"\n");
    EXPECT_TRUE(root.isWorkspace && !root.hasPackage);
    EXPECT_EQ(root.workspaceVersion, s("1.0.0"));
    EXPECT_EQ(parseCargoTomlData("[package\nname = 'x'"), CargoManifest{});
}

TEST(ManifestReaders, SpecialFilesAreNotReadAndDoNotBlock) {
    TempTree tree;
    ASSERT_EQ(::mkfifo((tree.path() + "/package.json").constData(), 0644), 0);
    EXPECT_EQ(parsePackageJSON(tree.path()), ManifestInfo{}); // a FIFO would block a plain read
    tree.mkdir("pom.xml");
    EXPECT_EQ(parsePomXML(tree.path()), ManifestInfo{});
    EXPECT_EQ(parsePythonProject(tree.path()), ManifestInfo{});
}

} // namespace
