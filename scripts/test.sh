#!/usr/bin/env bash
# Builds Codeorchardist with warnings as errors and runs every test.
#   scripts/test.sh             normal build in build/
#   scripts/test.sh --sanitize  AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
flags=(-DCMAKE_BUILD_TYPE=Release -DCODEORCHARDIST_WERROR=ON -DCODEORCHARDIST_SANITIZE=OFF)
if [ "${1:-}" = "--sanitize" ]; then
  build_dir=build-asan
  flags=(-DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1" -DCODEORCHARDIST_WERROR=ON
         -DCODEORCHARDIST_SANITIZE=ON -DCODEORCHARDIST_BUILD_BENCH=OFF)
  export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:suppressions=$PWD/scripts/asan.supp"
  export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
fi

launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # Paths relative to the checkout, so another clone of the same sources hits the cache.
  export CCACHE_BASEDIR="$(pwd -P)" CCACHE_NOHASHDIR=1
fi

cmake -S . -B "$build_dir" -G Ninja "${flags[@]}" "${launcher[@]}" >/dev/null
cmake --build "$build_dir"

export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
# Qt Quick tests need a display with GL; Xvfb gives one to the whole run.
xvfb-run -a -s "-screen 0 1600x1000x24" \
  ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)" --timeout 300
