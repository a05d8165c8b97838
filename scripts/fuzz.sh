#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs each for a number of seconds.
#   scripts/fuzz.sh [SECONDS]      default 60 per harness
# Each harness starts from its seed corpus in fuzz/corpus/<name>/ plus what earlier runs found
# (kept in build-fuzz/corpus/). A crash, leak, sanitizer report or failed check stops that
# harness, leaves the input in build-fuzz/artifacts/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
case "$seconds" in (''|*[!0-9]*) echo "usage: scripts/fuzz.sh [SECONDS]" >&2; exit 2;; esac

build_dir=build-fuzz
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$(pwd -P)" CCACHE_NOHASHDIR=1
fi
CXX="${FUZZ_CXX:-clang++}" cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCODEORCHARDIST_BUILD_FUZZERS=ON -DCODEORCHARDIST_BUILD_GUI=OFF -DCODEORCHARDIST_BUILD_TESTS=OFF \
  -DCODEORCHARDIST_BUILD_BENCH=OFF -DCODEORCHARDIST_SANITIZE=OFF -DCODEORCHARDIST_WERROR=OFF \
  "${launcher[@]}" >/dev/null
cmake --build "$build_dir" --target fuzzers

export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
mkdir -p "$build_dir/artifacts" "$build_dir/logs"
failed=()
while read -r name; do
  [ -n "$name" ] || continue
  corpus="$build_dir/corpus/$name"
  seeds="fuzz/corpus/$name"
  mkdir -p "$corpus"
  [ -d "$seeds" ] || seeds=""
  log="$build_dir/logs/$name.log"
  start=$(date +%s)
  if "$build_dir/fuzz/$name" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len=65536 \
       -print_final_stats=1 -artifact_prefix="$build_dir/artifacts/$name-" "$corpus" $seeds >"$log" 2>&1; then
    status=ok
  else
    status=FAILED
    failed+=("$name")
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
  echo "$name: $status, $(( $(date +%s) - start )) s, ${runs:-?} runs, corpus $(ls "$corpus" | wc -l) inputs"
  if [ "$status" = FAILED ]; then
    grep -E "ERROR|SUMMARY|Test unit written|deadly signal" "$log" | head -n 10 >&2 || true
  fi
done < "$build_dir/fuzzers.txt"

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzers that failed: ${failed[*]} (logs in $build_dir/logs, inputs in $build_dir/artifacts)" >&2
  exit 1
fi
