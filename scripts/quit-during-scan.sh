#!/usr/bin/env bash
# Starts the application on a large folder and ends it with SIGTERM at a random moment of its
# scan, TIMES times. Fails when an exit is not clean (status, sanitizer report) or takes longer
# than LIMIT seconds. Run it with a sanitizer build to catch use of destroyed objects:
#   scripts/quit-during-scan.sh build-asan/src/ui/codeorchardist /tmp/codeorchardist-bench-git 10
# A FOLDER that does not exist is made for the runs and removed after them: REPOS (default 40)
# git repositories and about 5,500 plain folders. The quit comes 0 to SPAN (default 3.5)
# seconds after the scan's first git process has started (so the start of a slow sanitizer
# build is not part of the time).
set -euo pipefail
# Runs itself again under one X server for all runs.
if [ -z "${QUIT_DURING_SCAN_INNER:-}" ]; then
  export QUIT_DURING_SCAN_INNER=1
  exec xvfb-run -a -s "-screen 0 1600x1000x24" "$0" "$@"
fi
here=$(cd "$(dirname "$0")" && pwd)
app=$(realpath "$1")
folder=$2
times=${3:-10}
limit=${LIMIT:-3}
span=${SPAN:-3.5}
# The sanitizer test run's settings, but no leak check: it looks for use of destroyed objects,
# and at exit the GL driver (unloaded, so unnamed) and the scene graph leave allocations behind.
export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1:detect_leaks=0:suppressions=$here/asan.supp}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$here/lsan.supp:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ ! -e "$folder" ]; then
  mkdir -p "$folder"
  # A folder made here goes again at the end.
  trap 'rm -rf "$work" "$folder"' EXIT
  export GIT_AUTHOR_NAME=q GIT_AUTHOR_EMAIL=q@example.com GIT_COMMITTER_NAME=q GIT_COMMITTER_EMAIL=q@example.com
  for i in $(seq 1 "${REPOS:-40}"); do
    mkdir -p "$folder/repo$i/src"
    printf '{"name":"repo-%s","version":"1.0.%s"}\n' "$i" "$i" >"$folder/repo$i/package.json"
    (cd "$folder/repo$i" && git init -q -b main && git add -A && git commit -qm init &&
     git remote add origin "https://example.com/r$i.git")
    if [ $((i % 3)) -eq 0 ]; then echo change >"$folder/repo$i/package.json"; fi
  done
  (cd "$folder" && mkdir -p plain/{a,b,c,d,e}{0..9}/f{0..9}/j{0..9})
fi

failures=0
  for i in $(seq 1 "$times"); do
    export XDG_CONFIG_HOME="$work/config$i"
    delay=$(awk -v s="$RANDOM" -v span="$span" 'BEGIN { srand(s); printf "%.2f", rand() * span }')
    "$app" "$folder" >"$work/out$i" 2>"$work/err$i" &
    pid=$!
    # Git runs are short: one may come and go between two looks, so the wait is bounded (a
    # sanitizer build starts within a few seconds).
    for _ in $(seq 1 150); do
      if pgrep -P "$pid" -x git >/dev/null || ! kill -0 "$pid" 2>/dev/null; then break; fi
      sleep 0.1
    done
    sleep "$delay"
    start=$(date +%s.%N)
    kill -TERM "$pid" 2>/dev/null || true
    status=0
    wait "$pid" || status=$?
    took=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }')
    verdict=ok
    if [ "$status" -ne 0 ] || grep -qE "Sanitizer|runtime error" "$work/err$i" ||
       awk -v t="$took" -v l="$limit" 'BEGIN { exit !(t > l) }'; then
      verdict=FAILED
      failures=$((failures + 1))
      sed -n 1,40p "$work/err$i"
    fi
    echo "run $i: quit ${delay}s into the scan, exit status $status, exit took ${took}s: $verdict"
  done
echo "$failures of $times runs failed"
[ "$failures" -eq 0 ]
