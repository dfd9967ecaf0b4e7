#!/usr/bin/env bash
# Start-up in a real window. Without "data.dat" the game says "data load fail" in a box
# captioned "error", never shows its window, and ends with exit code 1 whether the box is
# answered or the game is told to end. With its data it shows a 640 by 480 window "Lirrowen"
# of class VORNHALT with a 32 by 32 and a 16 by 16 icon, and a close request ends it with 0.
set -u
game=$1
build=$2
. "$(dirname "$0")/lib.sh"

# The box's id once it is on the screen. (xdotool's name search misses titles that are
# stored only as UTF-8, as SDL's message boxes are.)
box_shown() {
  box=$(xwininfo -root -tree 2>/dev/null | awk '$2 == "\"error\":" {print $1; exit}')
  [ -n "$box" ] && xwininfo -id "$box" | grep -q IsViewable
}

start_without_data() {
  launch "$1" box_shown
  if find_game_window; then
    fail "the game window was shown although start-up failed"
  fi
  grep -q "data load fail" "$work/$1.err" || fail "stderr lacks the message"
}

mkdir "$work/empty"
cd "$work/empty" || fail "no scratch folder"
start_without_data answered
x xdotool windowfocus --sync "$box" || fail "could not focus the box"
# The box waits for X events rather than sampling keys, and acts on the key's release.
x xdotool key Return || fail "could not press Return"
expect_exit 1 "the start-up failure's box was answered"

start_without_data terminated
kill -TERM "$pid"
expect_exit 1 "a termination request while the start-up failure's box showed"

mkdir "$work/data"
cp "$build"/demo/*.dat "$work/data/" || fail "no demo data in $build/demo"
cd "$work/data" || fail "no scratch folder"
start_game with_data
name=$(x xdotool getwindowname "$win")
[ "$name" = "Lirrowen" ] || fail "window caption is '$name'"
geometry=$(x xdotool getwindowgeometry "$win" | awk '/Geometry/ {print $2}')
[ "$geometry" = "640x480" ] || fail "client area is $geometry"
icons=$(x xprop -id "$win" _NET_WM_ICON)
for size in "32 x 32" "16 x 16"; do
  grep -q "Icon ($size)" <<<"$icons" || fail "the window has no $size icon: $(head -n 1 <<<"$icons")"
done
wait_until "the title did not show" window_not_black
kill -TERM "$pid"
expect_exit 0 "the close request"
echo "ok"
