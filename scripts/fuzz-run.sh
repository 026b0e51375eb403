#!/usr/bin/env bash
# Runs one libFuzzer target: every kept reproducer once, then the seeds and
# new inputs for a number of seconds. New inputs go to a scratch copy of the
# corpus; a crash found is saved beside the reproducers, to be fixed and
# committed.
#   scripts/fuzz-run.sh TARGET CORPUS_DIR CRASH_DIR SECONDS [libFuzzer options...]
set -euo pipefail
mkdir -p "$3"
target=$(realpath "$1") corpus=$(realpath "$2") crashes=$(realpath "$3") seconds=$4
shift 4
for f in "$crashes"/*; do
  [ -f "$f" ] || continue
  "$target" "$f" > /dev/null 2>&1 || { echo "reproducer $f still fails"; "$target" "$f"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$corpus"/* "$work"/
cd "$work"
"$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$crashes/" -timeout=10 \
  -rss_limit_mb=2048 "$@" "$work"
