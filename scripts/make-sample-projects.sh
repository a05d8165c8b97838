#!/usr/bin/env bash
# Creates a small folder of sample projects (real git repositories with remotes, a few with
# uncommitted changes) for screenshots and trying the application out.
#   scripts/make-sample-projects.sh DIR
set -euo pipefail
dir="${1:?usage: make-sample-projects.sh DIR}"
mkdir -p "$dir"
export GIT_AUTHOR_NAME=Sample GIT_AUTHOR_EMAIL=sample@example.com
export GIT_COMMITTER_NAME=Sample GIT_COMMITTER_EMAIL=sample@example.com

repo() { # folder branch days-ago [dirty]
  local when
  when="$(date -u -d "$3 days ago" +%Y-%m-%dT%H:%M:%SZ)"
  (cd "$dir/$1" && git init -q -b "$2" && git add -A &&
   GIT_AUTHOR_DATE="$when" GIT_COMMITTER_DATE="$when" git commit -qm "Initial commit" &&
   git remote add origin "https://github.com/example/$(basename "$1").git" &&
   if [ "${4:-}" = dirty ]; then echo "work in progress" > NOTES.md; fi)
}
file() { mkdir -p "$(dirname "$dir/$1")"; printf '%s\n' "$2" > "$dir/$1"; }

file web/storefront/package.json '{"name":"storefront","version":"3.4.1","dependencies":{"next":"14.2.0","react":"18.3.0"}}'
file web/admin-panel/package.json '{"name":"admin-panel","version":"0.9.2","devDependencies":{"next":"14.1.0"}}'
file mobile/field-app/package.json '{"name":"field-app","version":"1.8.0","dependencies":{"react-native":"0.74.0"}}'
file services/billing-api/pom.xml '<project><artifactId>billing-api</artifactId><version>2.3.0</version></project>'
file services/notify/package.json '{"name":"notify","version":"1.1.0","dependencies":{"express":"4.19.0"}}'
file data/etl-jobs/pyproject.toml $'[project]\nname = "etl-jobs"\nversion = "0.7.3"'
file data/notebooks/setup.py $'from setuptools import setup\nsetup(name="notebooks", version="0.1.0")'
file apple/WeatherKitDemo/Package.swift '// swift-tools-version:5.9'
file tools/lint-rules/package.json '{"name":"lint-rules","version":"0.4.0"}'
file misc/dotfiles/README.md '# dotfiles'
file systems/ripgrep/Cargo.toml $'[package]\nname = "ripgrep"\nversion = "14.1.1"'
file systems/fzf/go.mod $'module github.com/junegunn/fzf\n\ngo 1.23'
file systems/json/CMakeLists.txt 'project(nlohmann_json VERSION 3.11.3 LANGUAGES CXX)'
file android/okhttp/settings.gradle.kts 'rootProject.name = "okhttp"'
file android/okhttp/build.gradle.kts 'version = "5.0.0"'
file dotnet/Newtonsoft.Json/Newtonsoft.Json.csproj '<Project Sdk="Microsoft.NET.Sdk"><PropertyGroup><Version>13.0.3</Version></PropertyGroup></Project>'
file web/blog/composer.json '{"name":"acme/blog","version":"2.1.0"}'
file mobile/gallery/pubspec.yaml $'name: flutter_gallery\nversion: 2.10.2\ndependencies:\n  flutter:\n    sdk: flutter'
file tools/http/pubspec.yaml $'name: http\nversion: 1.2.2'
file tools/rake/rake.gemspec $'Gem::Specification.new do |s|\n  s.name = "rake"\n  s.version = "13.2.1"\nend'

repo web/storefront main 0 dirty
repo services/billing-api main 3
repo mobile/field-app main 12
repo data/etl-jobs main 1
(cd "$dir/data/etl-jobs" && git checkout -q -b feature/backfill && echo "x = 1" > job.py)
repo misc/dotfiles main 45
repo systems/ripgrep master 2
repo systems/fzf master 20 dirty
# A bare mirror of a repository, as backups are kept.
git clone -q --mirror "$dir/systems/ripgrep" "$dir/backups/ripgrep.git"
# A monorepo of scoped packages with long names.
file monorepo/package.json '{"name":"navigation-monorepo","version":"7.0.0","private":true}'
rc=0
for pkg in native native-stack bottom-tabs drawer elements stack material-top-tabs devtools; do
  rc=$((rc + 3))
  file "monorepo/packages/$pkg/package.json" "{\"name\":\"@react-navigation/$pkg\",\"version\":\"7.0.0-rc.$rc\"}"
done
repo monorepo main 1 dirty
# A Maven parent POM with a module.
file maven/shop-parent/pom.xml '<project><artifactId>shop-parent</artifactId><version>5.2.0-SNAPSHOT</version><modules><module>shop-core</module></modules></project>'
file maven/shop-parent/shop-core/pom.xml '<project><parent><artifactId>shop-parent</artifactId></parent><artifactId>shop-core</artifactId></project>'
repo maven/shop-parent release/2026-spring-maintenance-with-a-long-name 6
# A detached HEAD and a linked worktree.
file checkout/detached-tool/pyproject.toml $'[project]\nname = "detached-tool"\nversion = "1.0.0"'
repo checkout/detached-tool main 9
(cd "$dir/checkout/detached-tool" && echo "two" > two.txt && git add -A && git commit -qm second &&
 git checkout -q --detach HEAD~1)
(cd "$dir/web/storefront" && git worktree add -q -b hotfix/cart "$dir/web/storefront-hotfix" 2>/dev/null || true)
# Folders without git show their own modification time.
touch -d "70 days ago" "$dir/data/notebooks"
touch -d "2 days ago" "$dir/tools/lint-rules" "$dir/services/notify"
touch -d "5 hours ago" "$dir/apple/WeatherKitDemo"
echo "Sample projects in $dir"
