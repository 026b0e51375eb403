#!/usr/bin/env bash
# The whole test and replay suite under AddressSanitizer and UBSan, built by
# clang in build-asan/ (the normal build stays as it is), with a short run
# of every fuzz target. Any fault, leak or undefined behaviour fails it.
#   scripts/sanitize.sh [ctest options...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-asan"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQVL_SANITIZE=ON -DQVL_FUZZ=ON > /dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)"
mkdir -p "$build/run"
[ -f "$build/run/qvlgam.cfg" ] || cp "$root/qvlgam.cfg" "$build/run/qvlgam.cfg"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# A few signal and lost-display runs of the real game are enough here.
export QVL_DESKTOP_RUNS="${QVL_DESKTOP_RUNS:-4}"
cd "$build"
ctest --output-on-failure --timeout 900 "$@"
