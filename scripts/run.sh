#!/usr/bin/env bash
# Builds Codeorchardist and runs it on FOLDER (the home folder when none is given).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
folder="${1:-$HOME}"
launcher=()
if command -v ccache >/dev/null 2>&1; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build "$root/build"
if [ -x "$root/build/src/ui/codeorchardist" ]; then
  exec "$root/build/src/ui/codeorchardist" "$folder"
fi
exec "$root/build/src/cli/codeorchardist-scan" "$folder"
