#!/usr/bin/env bash
# Builds Codeorchardist and runs it on FOLDER (the home folder when none is given).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
folder="${1:-$HOME}"
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # Paths relative to the checkout, so another clone of the same sources hits the cache.
  export CCACHE_BASEDIR="$(cd "$root" && pwd -P)" CCACHE_NOHASHDIR=1
fi
cmake -S "$root" -B "$root/build-app" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCODEORCHARDIST_BUILD_TESTS=OFF -DCODEORCHARDIST_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$root/build-app"
if [ -x "$root/build-app/src/ui/codeorchardist" ]; then
  exec "$root/build-app/src/ui/codeorchardist" "$folder"
fi
exec "$root/build-app/src/cli/codeorchardist-scan" "$folder"
