#!/usr/bin/env bash
# The game played from its title on the demo data in a real window, with real key presses:
# quitting from the title, then a new game: the village's opening message, a walk to the elder
# and his words, the east gate to the meadow and back, and the peddler who sends the party back
# to the title. Screenshots along the way must show pictures, each different from the last.
set -u
game=$1
build=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$build"/demo/*.dat "$work/"
cd "$work"

start_game() {
  "$game" 2>"$work/$1.err" &
  pid=$!
  win=$(wait_for_window --onlyvisible --class VORNHALT) || fail "no game window: $(cat "$work/$1.err")"
  focus_window "$win"
  sleep 1.5
}

# Run 1: the title, the quit question (it starts on staying), quit.
start_game run1
screenshot "$win" title.png
picture_not_black title.png || fail "the title screen is black"
press_key Right
press_key Return
sleep 0.3
screenshot "$win" question.png
pictures_differ title.png question.png || fail "the quit question did not open"
press_key Down
press_key Return
wait_for_exit "$pid" 10
code=$?
[ "$code" = 0 ] || fail "exit code $code after quitting from the title"

# Run 2: a new game of the first story.
start_game run2
press_key Return          # the start menu; its cursor starts on "back"
press_key Down            # the first story
press_key Return          # its question starts on "no"
press_key Down
press_key Return
sleep 5
screenshot "$win" opening.png
picture_not_black opening.png || fail "the village is black"
pictures_differ title.png opening.png || fail "the game did not start"
press_key Return          # closes the opening message (or ends its reveal on a slow machine)
sleep 0.5
press_key Return          # with no one beside the party this does nothing
sleep 0.5
screenshot "$win" village.png
pictures_differ opening.png village.png || fail "the opening message did not close"

hold_key_until_still "$win" Up 15   # up the square to the elder, who stops the walk
press_key Return
sleep 5                   # three lines reveal in at most 72 frames, slow machines included
screenshot "$win" elder.png
pictures_differ village.png elder.png || fail "the elder did not talk"
press_key Return
sleep 0.5
screenshot "$win" after_elder.png
pictures_differ elder.png after_elder.png || fail "the elder's message did not close"

hold_key_until_dark "$win" Right 15  # along the square to the east gate: the meadow
wait_until_still "$win" 20 || fail "the meadow never settled"
screenshot "$win" meadow.png
pictures_differ after_elder.png meadow.png || fail "the map did not change"

hold_key_until_dark "$win" Left 10   # back through the meadow's west gate
wait_until_still "$win" 20 || fail "the village never settled"
screenshot "$win" back.png
pictures_differ meadow.png back.png || fail "the map did not change back"

press_key Return          # the peddler stands below the arrival cell
sleep 5
press_key Return          # closes his words; his question starts on "no"
sleep 0.3
press_key Down
press_key Return
sleep 1
screenshot "$win" title_again.png
convert title.png -crop 640x120+0+0 +repage top1.png
convert title_again.png -crop 640x120+0+0 +repage top2.png
if pictures_differ top1.png top2.png; then
  fail "the peddler did not send the party back to the title"
fi
kill -0 "$pid" 2>/dev/null || fail "the game ended: $(cat "$work/run2.err")"
kill -TERM "$pid"
wait_for_exit "$pid" 10
code=$?
[ "$code" = 0 ] || fail "exit code $code after the close request"
if grep -q "\[" "$work/run2.err"; then
  fail "a message box was shown: $(cat "$work/run2.err")"
fi
echo "ok"
