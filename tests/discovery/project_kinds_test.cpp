// The kind rules through a real scan: which marker decides, and the name and version each
// kind's manifest gives, on manifests from public projects and the rules' edge cases.
#include "discovery/ProjectScanner.h"
#include "support/TestFolders.h"

#include <gtest/gtest.h>

#include <map>

using testfolders::TempTree;

namespace {

struct File {
    const char* name;
    const char* content;
};

struct Case {
    const char* folder;
    std::vector<File> files;
    std::optional<ProjectType> type; // none: the folder is no project
    const char* name;
    std::optional<QString> version;
};

const std::optional<QString> none;
QString s(const char* text) { return QString::fromUtf8(text); }

const Case kCases[] = {
    {"ripgrep", {{"Cargo.toml", "[package]\nname = \"ripgrep\"\nversion = \"14.1.1\"\nedition = \"2021\"\n"}},
     ProjectType::rust, "ripgrep", s("14.1.1")},
    {"ws", {{"Cargo.toml", "[workspace]\nmembers = [\"crates/*\"]\n[workspace.package]\nversion = \"1.2.0\"\n"}},
     ProjectType::rust, "ws", s("1.2.0")},
    {"ws/crates/core", {{"Cargo.toml", "[package]\nname = \"ws-core\"\nversion.workspace = true\n"}}, ProjectType::rust,
     "ws-core", s("1.2.0")},
    {"fzf", {{"go.mod", "module github.com/junegunn/fzf\n\ngo 1.23\n"}}, ProjectType::go, "fzf", none},
    {"chi", {{"go.mod", "module github.com/go-chi/chi/v5\n"}}, ProjectType::go, "chi", none},
    {"fmt", {{"CMakeLists.txt", "cmake_minimum_required(VERSION 3.8)\nproject(FMT CXX)\n"}}, ProjectType::cpp, "FMT", none},
    {"glib", {{"CMakeLists.txt", "add_subdirectory(x)\n"}, {"meson.build", "project('glib', 'c', version : '2.83.0')\n"}},
     ProjectType::cpp, "glib", s("2.83.0")},
    {"src", {{"CMakeLists.txt", "add_library(core a.cpp)\n"}}, std::nullopt, "", none},
    {"cmake-then-gradle", {{"CMakeLists.txt", "add_library(jni a.cpp)\n"}, {"build.gradle", "version '3.1'\n"}},
     ProjectType::gradle, "cmake-then-gradle", s("3.1")},
    {"okhttp", {{"settings.gradle.kts", "rootProject.name = \"okhttp-parent\"\n"}, {"build.gradle.kts", "plugins {}\n"},
                {"gradle.properties", "version=5.0.0-SNAPSHOT\n"}}, ProjectType::gradle, "okhttp-parent", s("5.0.0-SNAPSHOT")},
    {"Newtonsoft", {{"Newtonsoft.Json.sln", ""}, {"Newtonsoft.Json.csproj",
                     "<Project Sdk=\"Microsoft.NET.Sdk\"><PropertyGroup><Version>13.0.3</Version></PropertyGroup></Project>"}},
     ProjectType::dotnet, "Newtonsoft.Json", s("13.0.3")},
    {"two-projects", {{"Zeta.fsproj", "<Project/>"}, {"Beta.csproj", "<Project/>"}, {"Alpha.csproj", "<Project"}},
     ProjectType::dotnet, "Alpha", none},
    {"laravel", {{"composer.json", R"({"name": "laravel/laravel", "version": "11.0"})"}}, ProjectType::php,
     "laravel/laravel", s("11.0")},
    {"gallery", {{"pubspec.yaml", "name: flutter_gallery\nversion: 2.10.2\ndependencies:\n  flutter:\n    sdk: flutter\n"}},
     ProjectType::flutter, "flutter_gallery", s("2.10.2")},
    {"http", {{"pubspec.yaml", "name: http\nversion: 1.2.2\ndependencies:\n  async: ^2.5.0\n"}}, ProjectType::dart, "http",
     s("1.2.2")},
    {"rake", {{"rake.gemspec", "Gem::Specification.new do |s|\n  s.name = \"rake\"\n  s.version = Rake::VERSION\nend\n"},
              {"Gemfile", "source 'https://rubygems.org'\n"}}, ProjectType::ruby, "rake", none},
    {"nameless-gem", {{"b.gemspec", "x"}, {"a.gemspec", "Gem::Specification.new { |g| g.version = '0.1' }\n"}},
     ProjectType::ruby, "a", none},
    {"jekyll-site", {{"Gemfile", "gem 'jekyll'\n"}}, ProjectType::ruby, "jekyll-site", none},
    // The first rule that applies wins; the later manifest is not looked at.
    {"node-and-rust", {{"package.json", R"({"name":"napi"})"}, {"Cargo.toml", "[package]\nname = \"core\"\n"}},
     ProjectType::nodeJS, "napi", none},
    {"rust-and-go", {{"Cargo.toml", "[package]\nname = \"r\"\n"}, {"go.mod", "module g\n"}}, ProjectType::rust, "r", none},
    {"swift-and-cmake", {{"Package.swift", ""}, {"CMakeLists.txt", "project(x)"}}, ProjectType::swift, "swift-and-cmake", none},
    // Names are matched exactly.
    {"lowercase", {{"cargo.toml", ""}, {"gemfile", ""}, {".hidden.csproj", ""}}, std::nullopt, "", none},
};

TEST(ProjectKinds, MarkersDecideAndManifestsName) {
    TempTree tree;
    for (const Case& c : kCases) {
        tree.mkdir(c.folder);
        for (const File& f : c.files) tree.write(QByteArray(c.folder) + "/" + f.name, f.content);
    }
    GitService git;
    ProjectScanner scanner(git);
    std::map<QByteArray, Project> found;
    for (const Project& p : scanner.scanProjects(tree.path(), 10).result()) found[p.path] = p;
    for (const Case& c : kCases) {
        const auto it = found.find(tree.path() + "/" + c.folder);
        if (!c.type) {
            EXPECT_EQ(it, found.end()) << c.folder;
            continue;
        }
        ASSERT_NE(it, found.end()) << c.folder;
        EXPECT_EQ(projecttype::rawValue(it->second.type), projecttype::rawValue(*c.type)) << c.folder;
        EXPECT_EQ(it->second.name, s(c.name)) << c.folder;
        EXPECT_EQ(it->second.version, c.version) << c.folder;
    }

    // A refresh of a workspace member reads the workspace as far up as the scan's root.
    const QByteArray member = tree.path() + "/ws/crates/core";
    EXPECT_EQ(scanner.scanProjects(member, 0, tree.path()).result().value(0).version, s("1.2.0"));
    EXPECT_EQ(scanner.scanProjects(member, 0).result().value(0).version, none);
    EXPECT_EQ(scanner.scanProjects(tree.path() + "/ws", 10).result().value(1).version, s("1.2.0"));
}

} // namespace
