#!/usr/bin/env bash
# Installs what is missing, configures and builds, generates the datafiles and
# lays out build/run/ with the game, both datafiles and a "qvlgam.cfg".
#   scripts/setup.sh [cmake targets...]   (default: everything)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"

build="$root/build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
jobs=$(nproc 2>/dev/null || echo 2)
if [ $# -gt 0 ]; then
  for target in "$@"; do cmake --build "$build" -j "$jobs" --target "$target"; done
else
  cmake --build "$build" -j "$jobs"
fi

# A player's own settings survive rebuilds: the default is copied only once.
run="$build/run"
mkdir -p "$run"
[ -f "$run/qvlgam.cfg" ] || cp "$root/qvlgam.cfg" "$run/qvlgam.cfg"
