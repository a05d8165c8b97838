#!/usr/bin/env bash
# Starts the application on a large folder and ends it with SIGTERM at a random moment of its
# scan, TIMES times. Fails when an exit is not clean (status, sanitizer report) or takes longer
# than LIMIT seconds. Run it with a sanitizer build to catch use of destroyed objects:
#   scripts/quit-during-scan.sh build-asan/src/ui/codeorchardist /tmp/codeorchardist-bench-git 10
set -euo pipefail
# Runs itself again under one X server for all runs.
if [ -z "${QUIT_DURING_SCAN_INNER:-}" ]; then
  export QUIT_DURING_SCAN_INNER=1
  exec xvfb-run -a -s "-screen 0 1600x1000x24" "$0" "$@"
fi
app=$(realpath "$1")
folder=$2
times=${3:-10}
limit=${LIMIT:-3}
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
  for i in $(seq 1 "$times"); do
    export XDG_CONFIG_HOME="$work/config$i"
    delay=$(awk -v s="$RANDOM" 'BEGIN { srand(s); printf "%.2f", 0.5 + rand() * 3.5 }')
    "$app" "$folder" >"$work/out$i" 2>"$work/err$i" &
    pid=$!
    sleep "$delay"
    start=$(date +%s.%N)
    kill -TERM "$pid" 2>/dev/null || true
    status=0
    wait "$pid" || status=$?
    took=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }')
    verdict=ok
    if [ "$status" -ne 0 ] || grep -q "Sanitizer" "$work/err$i" || awk -v t="$took" -v l="$limit" 'BEGIN { exit !(t > l) }'; then
      verdict=FAILED
      failures=$((failures + 1))
      sed -n 1,40p "$work/err$i"
    fi
    echo "run $i: quit after ${delay}s, exit status $status, exit took ${took}s: $verdict"
  done
echo "$failures of $times runs failed"
[ "$failures" -eq 0 ]
