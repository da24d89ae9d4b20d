#!/usr/bin/env bash
# Runs every fuzzer of a fuzz build from its seed corpus, with a fixed seed
# and a bounded number of runs so that CI is repeatable.
# Usage: fuzz/run.sh [SECONDS_EACH]   (after cmake --preset fuzz && cmake --build --preset fuzz)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for fuzzer in "$root"/build-fuzz/fuzz/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  mkdir -p "$work/$name"
  cp "$root/fuzz/corpus/$name"/* "$work/$name"/ 2>/dev/null || true
  dict=()
  [ -f "$root/fuzz/$name.dict" ] && dict=(-dict="$root/fuzz/$name.dict")
  echo "== $name (${seconds}s)"
  (cd "$work" && "$fuzzer" "$work/$name" "${dict[@]}" -seed=1 -runs=300000 -max_total_time="$seconds" \
     -timeout=2 -rss_limit_mb=1024 2>&1 | grep -E "^Done|ERROR|SUMMARY")
done
