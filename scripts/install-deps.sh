#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Codeorchardist needs.
# Packages already present are left alone; nothing is installed when all are there.
set -euo pipefail

# What the installed application needs at run time beyond the libraries it links: the QML
# modules, the platform and image plugins, the icon font, git and the desktop tools. The Debian
# package takes its dependencies from this list (cmake/Packaging.cmake reads it).
runtime_packages=(
  qml6-module-qtquick qml6-module-qtqml qml6-module-qtqml-models
  qml6-module-qtqml-workerscript qml6-module-qtquick-controls
  qml6-module-qtquick-templates qml6-module-qtquick-layouts
  qml6-module-qtquick-shapes qml6-module-qtquick-window
  qml6-module-qtquick-dialogs qml6-module-qt-labs-platform
  qml6-module-qt-labs-settings qml6-module-qtcore
  qml6-module-qt5compat-graphicaleffects qml6-module-qt-labs-folderlistmodel
  libqt6widgets6 qt6-xdgdesktopportal-platformtheme qt6-gtk-platformtheme
  qt6-qpa-plugins libqt6svg6 fonts-material-design-icons-iconfont git
)

packages=(
  g++ cmake ninja-build git pkg-config
  qt6-base-dev qt6-declarative-dev qt6-svg-dev
  "${runtime_packages[@]}" qml6-module-qttest
  libicu-dev libtomlplusplus-dev libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
  xvfb xauth xdg-utils libgl1-mesa-dri ccache
  clang libclang-rt-14-dev
  # Building and checking the Debian package (scripts/package.sh)
  dpkg-dev fakeroot file librsvg2-bin desktop-file-utils appstream lintian
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages. Run as root:" >&2
  echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
