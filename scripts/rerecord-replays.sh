#!/bin/sh
# Re-records the expected reports of every replay in tests/replays after an
# intended change in the game's behaviour. Review the diff before committing.
#   scripts/rerecord-replays.sh [build folder]   (default: build)
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target test_replays -j2
QVL_RERECORD=1 "$build/tests/test_replays" --gtest_filter='Replays/*'
git -C "$root" --no-pager diff --stat -- tests/replays
