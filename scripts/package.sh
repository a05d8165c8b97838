#!/usr/bin/env bash
# Builds the Debian package codeorchardist_<version>_<arch>.deb with CPack and prints its path.
#   scripts/package.sh            builds in build-package/ (no tests, no benchmarks)
#   BUILD_DIR=dir scripts/package.sh   uses another build folder
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${BUILD_DIR:-build-package}
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$(pwd -P)" CCACHE_NOHASHDIR=1
fi
for tool in dpkg-shlibdeps rsvg-convert gzip; do
  command -v "$tool" >/dev/null || { echo "package.sh: $tool is missing (run scripts/install-deps.sh)" >&2; exit 1; }
done

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCODEORCHARDIST_WERROR=ON \
  -DCODEORCHARDIST_SANITIZE=OFF -DCODEORCHARDIST_BUILD_TESTS=OFF -DCODEORCHARDIST_BUILD_BENCH=OFF \
  "${launcher[@]}" >/dev/null
cmake --build "$build_dir"
rm -f "$build_dir"/codeorchardist_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
ls "$PWD/$build_dir"/codeorchardist_*_*.deb
