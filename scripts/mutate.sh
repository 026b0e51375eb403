#!/usr/bin/env bash
# Mutation check: applies each one-line fault of a list to a copy of the
# game's code, one at a time, rebuilds, runs the whole suite and counts the
# faults the suite catches. Prints the share caught and names the survivors.
# The working tree is never touched: the copy lives in build-mutate/ (or
# in MUTATE_DIR, so two lists can run side by side, one on each core).
#   scripts/mutate.sh [--check] [LIST]    (default list: scripts/mutations.txt)
#   --check   only verify that every fault still applies exactly once
#   MUTATE_QUICK=1 leaves out the end-to-end group: a first look at a new
#   list in minutes; the figure that counts runs the whole suite.
# List lines: file ~~ exact text ~~ replacement ~~ what it breaks
# ("\n" in the texts stands for a line break; lines starting with # are notes.)
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
check_only=0
if [ "${1:-}" = "--check" ]; then check_only=1; shift; fi
list="$(cd "$(dirname "${1:-$root/scripts/mutations.txt}")" && pwd)/$(basename "${1:-mutations.txt}")"
work="${MUTATE_DIR:-$root/build-mutate}"
src="$work/src"
build="$work/build"
jobs=$(nproc 2>/dev/null || echo 2)

copy_tree() {
  rm -rf "$src"
  mkdir -p "$src"
  # Fresh times on every file, so no object built from an earlier run's
  # fault is taken as up to date.
  (cd "$root" && tar --exclude='./build*' --exclude=./.git -cf - .) | (cd "$src" && tar -xmf -)
}

# Replaces the one occurrence of OLD by NEW in a file; fails when the text
# is missing or occurs more than once.
apply_fault() {
  OLD="$2" NEW="$3" perl -0777 -i -pe '
    BEGIN { ($o, $n) = map { s/\\n/\n/gr } ($ENV{OLD}, $ENV{NEW}); }
    $c = () = /\Q$o\E/g;
    if ($c != 1) { print STDERR "found $c times\n"; exit 1; }
    s/\Q$o\E/$n/;' "$1"
}

# The slow end-to-end group last, so most faults are caught early: the
# shell group's unit tests (seconds) run on their own before its end-to-end
# and desktop runs (minutes). Every gtest binary stops at its first failing
# case (a caught fault needs one).
# With eatmydata installed the suite's syncs cost nothing: the tests kill
# processes, never the machine, so a sync changes no outcome, and a busy
# disk then no longer slows each run by half a minute.
nosync=$(command -v eatmydata || true)
run_suite() {
  (cd "$build" && export GTEST_FAIL_FAST=1 &&
    $nosync ctest --stop-on-failure --timeout 300 -E '^(shell|package)$' > "$work/last-test.log" 2>&1 &&
    { (cd tests && $nosync ./test_shell --gtest_filter=-EndToEnd.*:Desktop.*) >> "$work/last-test.log" 2>&1 ||
      { echo "1 - shell (its unit tests)" >> "$work/last-test.log"; false; }; } &&
    { [ "${MUTATE_QUICK:-0}" = 1 ] || $nosync ctest --stop-on-failure --timeout 300 -R '^shell$' >> "$work/last-test.log" 2>&1; })
}

copy_tree
total=0 caught=0 stale=0 unbuilt=0
survivors=()
if [ $check_only -eq 0 ]; then
  # No debug info and the gold linker: one touched file relinks in about a
  # second instead of a minute.
  cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=gold > /dev/null
  cmake --build "$build" -j "$jobs" > "$work/build.log" 2>&1 || { echo "the unchanged code does not build"; exit 1; }
  run_suite || { echo "the suite fails on the unchanged code"; exit 1; }
fi
while IFS= read -r line; do
  case "$line" in ''|'#'*) continue ;; esac
  file=$(printf '%s' "$line" | awk -F ' ~~ ' '{print $1}')
  old=$(printf '%s' "$line" | awk -F ' ~~ ' '{print $2}')
  new=$(printf '%s' "$line" | awk -F ' ~~ ' '{print $3}')
  what=$(printf '%s' "$line" | awk -F ' ~~ ' '{print $4}')
  cp "$src/$file" "$work/original"
  if ! apply_fault "$src/$file" "$old" "$new" 2> "$work/apply.log"; then
    echo "DOES NOT APPLY: $file: $what ($(cat "$work/apply.log"))"
    stale=$((stale + 1))
    continue
  fi
  if [ $check_only -eq 1 ]; then
    cp "$work/original" "$src/$file"
    total=$((total + 1))
    continue
  fi
  total=$((total + 1))
  if ! cmake --build "$build" -j "$jobs" > "$work/build.log" 2>&1; then
    echo "does not build (not counted): $file: $what"
    unbuilt=$((unbuilt + 1))
    total=$((total - 1))
  elif run_suite; then
    echo "SURVIVED: $file: $what"
    survivors+=("$file: $what")
  else
    echo "caught:   $file: $what ($(grep -m1 -oE '[0-9]+ - [a-z_]+' "$work/last-test.log" | head -1))"
    caught=$((caught + 1))
  fi
  cp "$work/original" "$src/$file"
done < "$list"

if [ $check_only -eq 1 ]; then
  echo "$total faults apply, $stale do not"
  [ $stale -eq 0 ]
  exit
fi
# Leave the copy built as the code is.
cmake --build "$build" -j "$jobs" > /dev/null 2>&1
echo
echo "caught $caught of $total faults ($((total ? caught * 100 / total : 0))%); $stale do not apply, $unbuilt do not build"
for s in "${survivors[@]}"; do echo "  survivor: $s"; done
[ $stale -eq 0 ] && [ $total -gt 0 ] && [ $((caught * 100)) -ge $((total * 95)) ]
