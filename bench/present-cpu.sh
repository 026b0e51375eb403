#!/usr/bin/env bash
# Processor use of presenting, under a private 1920x1080 true-colour Xvfb:
# the bare Allegro program that stretches 320x240 into 640x480 sixty times a
# second, the same program drawing nothing (Allegro's own floor), and the
# game's title menu at LEAN at zoom 1 to 4. Each is measured over a few
# seconds from /proc (CPU time of all its threads). Goal: the title at every
# zoom up to 4 uses at most half of the bare program. Prints; never fails.
#   bench/present-cpu.sh <build folder> [seconds]
set -uo pipefail
build="$1"
seconds="${2:-4}"
scratch=$(mktemp -d /tmp/qvl-cpu-XXXXXX)
xpid=""
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2> /dev/null && wait "$pid" 2> /dev/null
  [ -n "$xpid" ] && kill "$xpid" 2> /dev/null && wait "$xpid" 2> /dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

mkfifo "$scratch/display"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3> "$scratch/display" 2> /dev/null &
xpid=$!
read -r number < "$scratch/display"
export DISPLAY=":$number"

# Nanoseconds on a processor, all threads of a process (or its X server).
cpu_ns() {
  local total=0 t
  for t in /proc/"$1"/task/*/schedstat; do
    total=$((total + $(cut -d' ' -f1 "$t" 2> /dev/null || echo 0)))
  done
  echo "$total"
}

# Hundredths of a percent of one core used by $pid, and by the X server,
# over the measuring time.
measure() {
  local p0 x0 t0 p1 x1 t1
  p0=$(cpu_ns "$pid") x0=$(cpu_ns "$xpid") t0=$(date +%s%N)
  sleep "$seconds"
  p1=$(cpu_ns "$pid") x1=$(cpu_ns "$xpid") t1=$(date +%s%N)
  echo "$(((p1 - p0) * 10000 / (t1 - t0))) $(((x1 - x0) * 10000 / (t1 - t0)))"
}

pct() { printf '%d.%02d%%' $(($1 / 100)) $(($1 % 100)); }

bare() {
  "$build/bench/bare_stretch" $((seconds + 3)) "$@" 2> /dev/null &
  pid=$!
  sleep 1.5
  measure
  wait "$pid" 2> /dev/null
  pid=""
}

title() {
  local dir="$scratch/zoom$1"
  mkdir "$dir"
  sed -e 's/^cpu_usage = .*/cpu_usage = 3/' -e 's/^windowed = .*/windowed = 1/' \
    -e "s/^zoom = .*/zoom = $1/" "$build/../qvlgam.cfg" > "$dir/qvlgam.cfg"
  ln -s "$build/run/qvlgam.dat" "$build/run/qvlgam2.dat" "$dir/"
  (cd "$dir" && exec "$build/run/qvlgam" 2> /dev/null) &
  pid=$!
  timeout 20 xdotool search --sync --name '^Quorvale - Sports Day$' > /dev/null 2>&1
  sleep 0.5
  for _ in 1 2; do xdotool keydown space sleep 0.12 keyup space sleep 0.6 2> /dev/null; done
  sleep 1.5
  measure
  kill "$pid" 2> /dev/null
  wait "$pid" 2> /dev/null
  pid=""
}

read -r bare1 bareX1 < <(bare)
read -r floor floorX < <(bare idle)
results=()
for zoom in 1 2 3 4; do results+=("$(title "$zoom")"); done
read -r bare2 bareX2 < <(bare)
barePct=$(((bare1 + bare2) / 2))
echo "Presenting, CPU time of one core under Xvfb 1920x1080x24 (${seconds} s each):"
echo "  bare Allegro stretch_blit to 640x480, 60/s: $(pct "$barePct") (X server $(pct $(((bareX1 + bareX2) / 2))))"
echo "  the same program drawing nothing (Allegro's own threads): $(pct "$floor")"
worst=0
for zoom in 1 2 3 4; do
  read -r game gameX <<< "${results[$((zoom - 1))]}"
  [ "$game" -gt "$worst" ] && worst=$game
  echo "  title menu at LEAN, zoom $zoom ($((320 * zoom))x$((240 * zoom))): $(pct "$game") (X server $(pct "$gameX"))"
done
verdict="met"
[ $((worst * 2)) -le "$barePct" ] || verdict="NOT met"
echo "  goal, at most half the bare program ($(pct $((barePct / 2)))) at every zoom: $verdict"
