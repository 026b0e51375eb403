#!/usr/bin/env bash
# The Debian package as a player gets it: built, its file list and metadata
# checked, lintian clean, unpacked (not installed) into a scratch root, and
# the launcher run from there under a private X server with a scratch HOME.
#   package_test.sh <build folder>
set -euo pipefail
build="$1"
scratch=$(mktemp -d /tmp/qvl-pkg-XXXXXX)
chmod 755 "$scratch"
xpid=""
game=""
cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null && wait "$game" 2>/dev/null
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null && wait "$xpid" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# --- The package and what it holds ---
(cd "$build" && cpack -G DEB -B "$scratch/out" > "$scratch/cpack.log" 2>&1) || {
  cat "$scratch/cpack.log"
  fail "cpack"
}
deb=$(ls "$scratch"/out/quorvale_*_*.deb)
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort > "$scratch/files"
sort > "$scratch/expected" <<'LIST'
usr/games/quorvale
usr/lib/games/quorvale/qvlgam
usr/share/applications/quorvale.desktop
usr/share/doc/quorvale/changelog.gz
usr/share/doc/quorvale/copyright
usr/share/games/quorvale/qvlgam.cfg
usr/share/games/quorvale/qvlgam.dat
usr/share/games/quorvale/qvlgam2.dat
usr/share/icons/hicolor/128x128/apps/quorvale.png
usr/share/icons/hicolor/16x16/apps/quorvale.png
usr/share/icons/hicolor/22x22/apps/quorvale.png
usr/share/icons/hicolor/24x24/apps/quorvale.png
usr/share/icons/hicolor/256x256/apps/quorvale.png
usr/share/icons/hicolor/32x32/apps/quorvale.png
usr/share/icons/hicolor/48x48/apps/quorvale.png
usr/share/icons/hicolor/64x64/apps/quorvale.png
usr/share/man/man6/quorvale.6.gz
usr/share/metainfo/org.quorvale.SportsDay.metainfo.xml
LIST
diff "$scratch/expected" "$scratch/files" || fail "the package's file list"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in liballegro4.4 libloadpng4.4 libvorbisfile3 libx11-6 libxext6 libc6; do
  [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section"
lintian "$deb" > "$scratch/lintian" 2>&1 || true
if grep -E '^[EW]: ' "$scratch/lintian"; then fail "lintian"; fi

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/quorvale.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.xml > "$scratch/appstream" 2>&1 || {
  cat "$scratch/appstream"
  fail "AppStream metadata"
}
[ "$(for s in 16 32 48 256; do file -b "$root/usr/share/icons/hicolor/${s}x$s/apps/quorvale.png" | cut -d, -f2; done | tr -d ' ' | tr '\n' ' ')" = "16x16 32x32 48x48 256x256 " ] ||
  fail "icon sizes"
zcat "$root/usr/share/man/man6/quorvale.6.gz" | grep -q '^\.SH FILES' || fail "man page"

# --- The launcher under a private X server ---
fifo="$scratch/display"
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3> "$fifo" 2> /dev/null &
xpid=$!
read -r number < "$fifo"
export DISPLAY=":$number"
launcher="$root/usr/games/quorvale"

tap() { xdotool keydown "$1" sleep 0.12 keyup "$1" sleep 0.4 2> /dev/null; }
running() { kill -0 "$game" 2> /dev/null; }
# Starts the launcher with HOME $1; the game window appears.
start_game() {
  env -u XDG_DATA_HOME HOME="$1" "$launcher" 2> "$scratch/stderr" &
  game=$!
  timeout 20 xdotool search --sync --name '^Quorvale - Sports Day$' > "$scratch/window" ||
    fail "no game window: $(cat "$scratch/stderr")"
  sleep 0.8
}
# Escape ends the splash and the logo drop; on the title menu it quits.
quit_from_title() {
  tap Escape
  tap Escape
  running || fail "the game ended before the title menu"
  tap Escape
  for _ in $(seq 50); do running || break; sleep 0.2; done
  running && fail "the title menu did not quit"
  wait "$game" || fail "exit status $? ($(cat "$scratch/stderr"))"
  game=""
}

home="$scratch/home"
mkdir "$home"
folder="$home/.local/share/quorvale"
start_game "$home"
quit_from_title
cmp "$folder/qvlgam.cfg" "$root/usr/share/games/quorvale/qvlgam.cfg" || fail "settings file"
[ "$(readlink "$folder/qvlgam.dat")" = "$root/usr/share/games/quorvale/qvlgam.dat" ] || fail "datafile link"
[ "$(readlink "$folder/qvlgam2.dat")" = "$root/usr/share/games/quorvale/qvlgam2.dat" ] || fail "splash link"

# A second start keeps the records and the settings the player changed: the
# zoom the game reads from that file opens a 960x720 window.
printf 'QVLrecords-16byt' > "$folder/qvlgam.rec"
sed -i 's/^zoom = .*/zoom = 3/' "$folder/qvlgam.cfg"
cp "$folder/qvlgam.cfg" "$scratch/cfg-before"
start_game "$home"
xdotool getwindowgeometry "$(head -1 "$scratch/window")" | grep -q 'Geometry: 960x720' ||
  fail "window: $(xdotool getwindowgeometry "$(head -1 "$scratch/window")")"
quit_from_title
[ "$(cat "$folder/qvlgam.rec")" = QVLrecords-16byt ] || fail "records file replaced"
cmp "$folder/qvlgam.cfg" "$scratch/cfg-before" || fail "settings changed"

# XDG_DATA_HOME names the folder when it is absolute.
XDG_DATA_HOME="$scratch/xdg" DISPLAY= HOME="$home" "$launcher" > /dev/null 2>&1 || true
[ -f "$scratch/xdg/quorvale/qvlgam.cfg" ] || fail "XDG_DATA_HOME not followed"

# The arguments reach the game, a demo named from where the player is.
version=$(env -u DISPLAY HOME="$home" "$launcher" --version) || fail "--version: status $?"
[ "$version" = "Quorvale - Sports Day $(dpkg-deb -f "$deb" Version)" ] || fail "--version: $version"
mkdir "$scratch/demos"
status=0
(cd "$scratch/demos" && env -u DISPLAY HOME="$home" "$launcher" -timedemo best.demo) 2> "$scratch/stderr" || status=$?
[ "$status" -eq 3 ] || fail "a missing demo: exit status $status"
grep -qx "qvlgam: demo $scratch/demos/best.demo: no such file" "$scratch/stderr" ||
  fail "a demo named from the player's folder: $(cat "$scratch/stderr")"

# --- A folder that cannot be made or written ---
expect_refusal() {  # message, then the command
  local want="$1"
  shift
  local status=0
  "$@" > /dev/null 2> "$scratch/stderr" || status=$?
  [ "$status" -ne 0 ] || fail "exit status 0 for: $want"
  grep -q "$want" "$scratch/stderr" || fail "message '$want': $(cat "$scratch/stderr")"
}
touch "$scratch/not-a-folder"
expect_refusal "cannot make the folder for your settings and records: $scratch/not-a-folder/.local/share/quorvale" \
  env -u DISPLAY -u XDG_DATA_HOME HOME="$scratch/not-a-folder" "$launcher"
mkdir -p "$scratch/locked/.local/share/quorvale" "$scratch/readonly"
chmod 555 "$scratch/locked/.local/share/quorvale" "$scratch/readonly"
as_player=()
[ "$(id -u)" -eq 0 ] && as_player=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
expect_refusal "cannot make the folder" \
  "${as_player[@]}" env -u DISPLAY -u XDG_DATA_HOME HOME="$scratch/readonly" "$launcher"
expect_refusal "cannot write in the folder for your settings and records" \
  "${as_player[@]}" env -u DISPLAY -u XDG_DATA_HOME HOME="$scratch/locked" "$launcher"

# Started from the menu (no terminal), the refusal is also shown in a window.
env -u XDG_DATA_HOME HOME="$scratch/not-a-folder" "$launcher" > /dev/null 2>&1 < /dev/null &
game=$!
timeout 20 xdotool search --sync --name '^Quorvale - Sports Day$' > "$scratch/window" || fail "no message window"
sleep 0.3
running || fail "the message window did not wait for the player"
xdotool windowkill "$(head -1 "$scratch/window")"
status=0
wait "$game" || status=$?
game=""
[ "$status" -eq 1 ] || fail "exit status $status after the message window"
echo "package: all checks passed"
