#!/usr/bin/env bash
# Start-up in a real window: without "data.dat" the game says "data load fail" and never shows
# its window; with its data it shows a 640 by 480 window "Lirrowen" of class VORNHALT and
# ends cleanly when told to close.
set -u
game=$1
build=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# No data: one message box, no game window, exit code 0.
mkdir "$work/empty"
(cd "$work/empty" && exec "$game") 2>"$work/empty.err" &
pid=$!
box=$(wait_for_titled_window error) || fail "no message box appeared"
if xdotool search --onlyvisible --name '^Lirrowen$' >/dev/null 2>&1; then
  fail "the game window was shown although start-up failed"
fi
focus_window "$box"
press_key Return
wait_for_exit "$pid" 20
code=$?
[ "$code" = 0 ] || fail "exit code $code after the failed start-up"
grep -q "data load fail" "$work/empty.err" || fail "stderr lacks the message: $(cat "$work/empty.err")"

# With data: the window shows; SIGTERM is the window's close request and ends it cleanly.
mkdir "$work/data"
if [ -d "$build/demo" ] && [ -f "$build/demo/data.dat" ]; then
  cp "$build"/demo/*.dat "$work/data/"
else
  head -c 792 /dev/zero >"$work/data/data.dat"
fi
(cd "$work/data" && exec "$game") 2>"$work/data.err" &
pid=$!
win=$(wait_for_window --onlyvisible --class VORNHALT) || fail "no game window: $(cat "$work/data.err")"
name=$(xdotool getwindowname "$win")
[ "$name" = "Lirrowen" ] || fail "window caption is '$name'"
geometry=$(xdotool getwindowgeometry "$win" | grep Geometry | awk '{print $2}')
[ "$geometry" = "640x480" ] || fail "client area is $geometry"
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the game ended by itself: $(cat "$work/data.err")"
kill -TERM "$pid"
wait_for_exit "$pid" 20
code=$?
[ "$code" = 0 ] || fail "exit code $code after the close request"
echo "ok"
