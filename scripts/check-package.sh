#!/usr/bin/env bash
# Checks a built Debian package: its control fields, its files where they belong after
# unpacking into a scratch root, the desktop entry and AppStream metainfo validators, the
# installed programs answering, and lintian without errors.
#   scripts/check-package.sh build-package/codeorchardist_0.1.0_amd64.deb
set -euo pipefail
deb=$(realpath "$1")
cd "$(dirname "$0")/.."
app_id=$(sed -n 's/^set(CODEORCHARDIST_APP_ID "\(.*\)")$/\1/p' CMakeLists.txt)
version=$(sed -n 's/^project(Codeorchardist VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
failures=0
fail() { echo "check-package: $*" >&2; failures=$((failures + 1)); }

case "$(basename "$deb")" in
  codeorchardist_${version}_$(dpkg --print-architecture).deb) ;;
  *) fail "file name $(basename "$deb") is not codeorchardist_${version}_<arch>.deb" ;;
esac

# Control fields: Depends holds Qt's libraries (from dpkg-shlibdeps), every run-time package
# of scripts/install-deps.sh, and git.
[ "$(dpkg-deb -f "$deb" Package)" = codeorchardist ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
runtime=$(sed -n '/^runtime_packages=(/,/^)/p' scripts/install-deps.sh | sed '1d;$d;s/#.*//')
for p in libqt6core6 libqt6gui6 libqt6qml6 libqt6quick6 libicu72 git $runtime; do
  grep -qE "(^|, )$p( |,|$)" <<<"$depends" || fail "Depends lacks $p: $depends"
done

# Unpacked into a scratch root, every file is where the desktop looks for it.
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
expected=(
  usr/bin/codeorchardist usr/bin/codeorchardist-scan
  "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml"
  "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
  usr/share/man/man1/codeorchardist.1.gz usr/share/man/man1/codeorchardist-scan.1.gz
  usr/share/bash-completion/completions/codeorchardist-scan
  usr/share/zsh/vendor-completions/_codeorchardist-scan
  usr/share/fish/vendor_completions.d/codeorchardist-scan.fish
  usr/share/doc/codeorchardist/copyright usr/share/doc/codeorchardist/changelog.gz
)
for size in 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  [ -f "$png" ] && { file "$png" | grep -q "$size x $size" || fail "$png is not $size x $size"; }
done
for f in "${expected[@]}"; do [ -f "$root/$f" ] || fail "missing /$f"; done
while IFS= read -r f; do
  case "$f" in
    ./usr/bin/*|./usr/share/applications/*|./usr/share/metainfo/*|./usr/share/icons/hicolor/*|\
    ./usr/share/man/man1/*|./usr/share/bash-completion/*|./usr/share/zsh/*|./usr/share/fish/*|\
    ./usr/share/doc/codeorchardist/*) ;;
    *) fail "unexpected file $f" ;;
  esac
done < <(cd "$root" && find . -type f)
[ -x "$root/usr/bin/codeorchardist" ] && [ -x "$root/usr/bin/codeorchardist-scan" ] || fail "programs not executable"

desktop="$root/usr/share/applications/$app_id.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
grep -qx "Icon=$app_id" "$desktop" || fail "desktop entry does not name the icon $app_id"
grep -qx "Categories=Development;RevisionControl;" "$desktop" || fail "desktop categories"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" || fail "appstreamcli validate"
grep -q "<id>$app_id</id>" "$root/usr/share/metainfo/$app_id.metainfo.xml" || fail "AppStream id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" \
  "$root/usr/share/metainfo/$app_id.metainfo.xml" || fail "AppStream launchable"
for shot in $(grep -o '[a-z-]*\.png</image>' "$root/usr/share/metainfo/$app_id.metainfo.xml" | sed 's/<.*//'); do
  [ -f "docs/screenshots/$shot" ] || fail "screenshot $shot is not in docs/screenshots"
done
for page in codeorchardist codeorchardist-scan; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null) || true
  [ -z "$warnings" ] || fail "man page $page: $warnings"
done

# The unpacked programs run (the libraries come from the system, as after apt-get install).
[ "$("$root/usr/bin/codeorchardist-scan" --version)" = "codeorchardist-scan $version" ] || fail "scanner --version"
"$root/usr/bin/codeorchardist-scan" --format json "$root/usr/share" >/dev/null || fail "scanner run"
QT_QPA_PLATFORM=offscreen "$root/usr/bin/codeorchardist" --help >/dev/null || fail "codeorchardist --help"

# lintian: no errors. Warnings are reported, not fatal.
if command -v lintian >/dev/null; then
  lintian_out=$(lintian --allow-root "$deb" 2>&1 || true)
  [ -z "$lintian_out" ] || echo "$lintian_out"
  ! grep -q '^E:' <<<"$lintian_out" || fail "lintian reports errors"
else
  fail "lintian is not installed"
fi

if [ "$failures" -ne 0 ]; then
  echo "check-package: $failures problem(s) in $(basename "$deb")" >&2
  exit 1
fi
echo "check-package: $(basename "$deb") is fine"
