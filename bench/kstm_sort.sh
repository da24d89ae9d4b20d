#!/usr/bin/env bash
# `kstm sort` against `LC_ALL=C.UTF-8 sort` on the same files, measured in
# the same run: 100k and 1M random words (or numbers), best of three runs
# each, reported as processor seconds and as the ratio kstm / sort.
#
# Usage: bench/kstm_sort.sh [TYPE] [KSTM]
#   TYPE  the type to sort by (default KsString; a numeric type sorts random
#         integers instead of words)
#   KSTM  the program (default: the Release build of the bench preset,
#         built first when missing)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
type=${1:-KsString}
kstm=${2:-$root/build-bench/tools/kstm/kstm}
if [ ! -x "$kstm" ]; then
  (cd "$root" && cmake --preset bench >/dev/null && cmake --build --preset bench --target kstm -j2 >/dev/null)
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

case "$type" in
  KsString|KsIString|KsCaseIString) kind=words ;;
  *) kind=numbers ;;
esac

# Random words of 3 to 12 letters, mixed case, one in eight with an accented
# letter (UTF-8); or random signed integers. A fixed seed keeps runs comparable.
generate() {
  awk -v n="$1" -v kind="$kind" 'BEGIN {
    srand(20261205);
    split("é è à ü ö ä ß ñ ç å Ö É", accents, " ");
    letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (i = 0; i < n; i++) {
      if (kind == "numbers") { printf "%d\n", int(rand() * 4000000000) - 2000000000; continue; }
      len = 3 + int(rand() * 10); word = "";
      for (k = 0; k < len; k++) word = word substr(letters, 1 + int(rand() * 52), 1);
      if (rand() < 0.125) word = word accents[1 + int(rand() * 12)];
      print word;
    }
  }'
}

# best_of_three INPUT COMMAND...: the least processor time (user + system)
# of three runs. Processor time rather than wall time, so that other work on
# the machine does not blur the ratio; sort(1) may use several threads, and
# their times add up.
best_of_three() {
  local input=$1 best="" TIMEFORMAT='%U %S'
  shift
  for _ in 1 2 3; do
    { time "$@" <"$input" >"$work/out" 2>"$work/err"; } 2>"$work/time" || { cat "$work/err" >&2; return 1; }
    best=$(awk -v b="$best" '{ t = $1 + $2; print (b == "" || t < b) ? t : b }' "$work/time")
  done
  printf '%.3f' "$best"
}

echo "kstm sort $type against LC_ALL=C.UTF-8 sort ($kind; best of three runs)"
printf '%10s %12s %12s %8s\n' lines "kstm (cpu s)" "sort (cpu s)" ratio
for lines in 100000 1000000; do
  generate "$lines" >"$work/input"
  if ! kstm_time=$(best_of_three "$work/input" "$kstm" sort "$type"); then
    echo "kstm sort $type failed; see the message above" >&2
    exit 1
  fi
  [ "$(wc -l <"$work/out")" -eq "$lines" ] || { echo "kstm sort lost lines" >&2; exit 1; }
  sort_time=$(LC_ALL=C.UTF-8 best_of_three "$work/input" sort)
  printf '%10d %12s %12s %8.2f\n' "$lines" "$kstm_time" "$sort_time" "$(awk -v k="$kstm_time" -v s="$sort_time" 'BEGIN { print k / s }')"
done
