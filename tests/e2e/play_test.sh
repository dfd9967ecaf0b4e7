#!/usr/bin/env bash
# The game played from its title on the demo data in a real window with real key presses:
# quitting through the quit question; then a new game of the first story: the opening
# message, the walk up the square to the elder and his words, the east gate to the meadow and
# back, and the peddler by the gate, whose question sends the party back to the title; a close
# request then ends the game cleanly. Then, in a new game, the walk east in the meadow until a
# battle begins, its opening lines, and its pause box quitting to the title. Last, started as
# run.sh starts it, a save on the field, the way back to the title and the load of that save;
# then the build removed and made again, and the save still listed.
set -u
game=$1
build=$2
. "$(dirname "$0")/lib.sh"

cp "$build"/demo/*.dat "$work/" || fail "no demo data in $build/demo"
cd "$work" || fail "no scratch folder"

# The money bar shows as in the plain field, or it is hidden (an event runs) or dimmed (a fade).
# A map has come once the bar is back and the area name has changed in one frame: for a frame
# between the gate's event and its fade the bar shows over the old map.
field_busy() { region_differs "$BAR" bar.ppm; }
in_field() { region_is "$BAR" bar.ppm; }
in_meadow() { snapshot && shot_has "$BAR" bar.ppm && ! shot_has "$AREA_NAME" village.ppm; }
menu_or_page() { has_text "$COMMAND_MENU" || has_text "$LINE1"; }
in_village() { snapshot && shot_has "$BAR" bar.ppm && shot_has "$AREA_NAME" village.ppm; }

# Run 1: the title; the quit question starts on staying; quit.
start_game run1
wait_until "the title did not show" window_not_black
look "$LOGO" logo.ppm
press_until_change "the cursor did not move to quit" Right "$WHOLE"
press_until_change "the quit question did not open" Return "$WHOLE"
press_until_change "the question's cursor did not move" Down "$WHOLE"
hold_until "the game did not quit" Return game_ended
expect_exit 0 "quitting from the title"

# From the title: a new game of the first story and its opening message. The start menu's
# cursor starts on "back", its question on "no".
new_game() {
  wait_until "the title did not show" region_is "$LOGO" logo.ppm
  press_until_change "the start menu did not open" Return "$WHOLE"
  press_until_change "the cursor did not move to the first story" Down "$WHOLE"
  press_until_change "the story's question did not open" Return "$WHOLE"
  press_until_change "the question's cursor did not move" Down "$WHOLE"
  press_until_change "the game did not start" Return "$WHOLE"

  wait_for_message "the opening message did not show"
  window_not_black || fail "the village is black"
  look "$BAR" open_bar.ppm
  advance_message "the opening message did not close" region_differs "$BAR" open_bar.ppm
  look "$BAR" bar.ppm
}

# Then the walk up the square to the elder and his words, and the east gate to the meadow.
new_game_to_meadow() {
  new_game

  # Up the square until the elder, who stands in the way, can be talked to.
  key_down Up
  tap_until "no one talked on the way up the square" Return field_busy
  key_up Up
  wait_for_message "the elder's words did not show"
  has_text "$LINE3" || fail "someone other than the elder talked: his words have three lines"
  advance_message "the elder's message did not close" in_field

  # Along the square to the east gate and the meadow. Each walk lets go of its key when the
  # fade begins, long before the next map takes keys again, so the party does not walk on once
  # there.
  wait_until_still "the village did not settle" "$AREA_NAME"
  look "$AREA_NAME" village.ppm
  hold_until "the east gate was not reached" Right field_busy
  wait_until "the meadow did not appear" in_meadow
}

# Run 2: a new game; the meadow and back through its west gate.
start_game run2
new_game_to_meadow
hold_until "the meadow's west gate was not reached" Left field_busy
wait_until "the village did not appear again" in_village

# The peddler stands below the gate's arrival cell; his words have two lines, his question
# three.
key_down Down
tap_until "the peddler did not talk" Return field_busy
key_up Down
wait_for_message "the peddler's words did not show"
advance_message "the peddler did not ask his question" has_text "$LINE3"
press_until_change "the question's cursor did not move" Down "$BOTTOM"
hold_until "the peddler did not send the party back to the title" Return region_is "$LOGO" logo.ppm

kill -TERM "$pid"
expect_exit 0 "the close request"
! grep -q "\[" run2.err || fail "a message box was shown"

# Run 3: east along the meadow's path until monsters appear: the battle's opening lines, page
# by page, and the first party member's command menu; then the pause box, whose quit leads back
# to the title.
start_game run3
new_game_to_meadow
hold_until "no battle began on the meadow's path" Right has_text "$LINE1"
# One page says who acts first; when it is the party, a second names the enemies. The party's
# status panels, shown with the command menu, reach into the message box's first line.
press_until_change "the battle's first page did not close" Return "$LINE1"
# When the enemies act first, their whole turns come before the menu: they get three times the
# usual limit.
E2E_TIMEOUT=$((E2E_TIMEOUT * 3)) wait_until "the battle went no further than its first page" \
  menu_or_page
if ! has_text "$COMMAND_MENU"; then
  press_until_change "the page naming the enemies did not close" Return "$LINE1"
fi
E2E_TIMEOUT=$((E2E_TIMEOUT * 3)) wait_until "the first command menu did not show" \
  has_text "$COMMAND_MENU"
press_until_change "the battle's pause box did not open" Shift "$PAUSE_BOX"
press_until_change "the pause box's cursor did not move" Down "$PAUSE_BOX"
hold_until "quitting the battle did not lead to the title" Return region_is "$LOGO" logo.ppm
kill -TERM "$pid"
expect_exit 0 "the close request"
! grep -q "\[" run3.err || fail "a message box was shown"

# Runs 4 and 5 start the game as run.sh does, from a stand-in build tree, with the player's
# folder in the scratch folder.
repo=$(cd "$(dirname "$0")/../.." && pwd)
export XDG_DATA_HOME=$work/xdg
saves=$XDG_DATA_HOME/lirrowen
binary=$game
make_build() {
  mkdir -p "$work/build/demo" || fail "no stand-in build folder"
  cp "$binary" "$work/build/lirrowen" || fail "cannot copy the game"
  for f in data.dat mappack.dat epack.dat; do
    cp "$build/demo/$f" "$work/build/demo/" || fail "no $f in $build/demo"
  done
}
make_build
printf '#!/bin/sh\nexec "%s/scripts/start-game.sh" "%s/build"\n' "$repo" "$work" >"$work/start"
chmod +x "$work/start"
game=$work/start

# From the title, the load list with its cursor on the second slot, which shows the save of
# run 4 as it did right after saving.
second_slot_listed() {
  press_until_change "the title's cursor did not move right" Right "$WHOLE"
  press_until_change "the title's cursor did not move to load" Down "$WHOLE"
  press_until_change "the load screen did not open" Return "$WHOLE"
  press_until_change "the slot cursor did not move" Down "$WHOLE"
  region_is "$SLOT2_TIME" slot_time.ppm || fail "$1 the load list shows another time for the save"
  region_is "$SLOT2_SUMMARY" slot_summary.ppm || fail "$1 the load list shows another summary"
}

# Run 4: a new game; a step or two up the square, a save through the system menu into the
# list's second slot, whose row then shows the save; the system menu's quit to the title; and
# the title's load of that slot, which brings back the village as it was at the save. The pond
# ripples beside the system menu, so two presses of one key can wait for frames between them;
# elsewhere the keys alternate, Z standing in for Return.
start_game run4
new_game
look "$AROUND_LEADER" start.ppm
hold_until "the party did not walk up the square" Up region_differs "$AROUND_LEADER" start.ppm
wait_until_still "the party did not stop on the square" "$AROUND_LEADER"
look "$AROUND_LEADER" place.ppm
press_until_change "the system menu did not open" Shift "$SYSTEM_MENU"
press_until_change "the menu's cursor did not move" Down "$SYSTEM_MENU"
frames_pass "the field froze under the menu" 3
press_until_change "the menu's cursor did not reach the save entry" Down "$SYSTEM_MENU"
press_until_change "the save screen did not open" Return "$SYSTEM_MENU"
look "$SLOT2_TIME" empty_slot.ppm
press_until_change "the slot cursor did not move" Down "$SLOTS"
press_until_change "the save question did not open" Return "$QUESTION"
press_until_change "the question's cursor did not move" Down "$QUESTION"
press_until_change "the game was not saved" Return "$MESSAGE"
[ -s "$saves/save1.dat" ] || fail "no save1.dat in the player's folder after saving"
[ -z "$(find "$work/build" -name 'save*')" ] || fail "a save was written inside the build tree"
press_until_change "the saved message did not close" z "$MESSAGE"
region_differs "$SLOT2_TIME" empty_slot.ppm || fail "the slot does not show the new save"
look "$SLOT2_TIME" slot_time.ppm
look "$SLOT2_SUMMARY" slot_summary.ppm
hold_until "the save screen did not close onto the field" Escape region_is "$AROUND_LEADER" place.ppm

press_until_change "the system menu did not open again" Shift "$SYSTEM_MENU"
press_until_change "the menu's cursor did not move to quit" Up "$SYSTEM_MENU"
press_until_change "the quit question did not open" Return "$SYSTEM_MENU"
press_until_change "the quit question's cursor did not move" Down "$SYSTEM_MENU"
hold_until "quitting did not lead to the title" Return region_is "$LOGO" logo.ppm

second_slot_listed "in the same run"
press_until_change "the load question did not open" Return "$WHOLE"
press_until_change "the load question's cursor did not move" Down "$WHOLE"
hold_until "the save did not load" Return region_is "$AROUND_LEADER" place.ppm
wait_until "the loaded game shows no money bar" in_field
kill -TERM "$pid"
expect_exit 0 "the close request"
! grep -q "\[" run4.err || fail "a message box was shown"

# Run 5: the build tree removed and made again, holding a save of an older build; the load
# list shows the save of run 4 as before, and the older save has moved to the player's folder.
rm -rf "$work/build"
make_build
cp "$saves/save1.dat" "$work/build/demo/save3.dat"
start_game run5
wait_until "the title did not show" region_is "$LOGO" logo.ppm
second_slot_listed "after a new build"
[ -s "$saves/save3.dat" ] && [ ! -e "$work/build/demo/save3.dat" ] ||
  fail "the older build's save did not move to the player's folder"
kill -TERM "$pid"
expect_exit 0 "the close request"
echo "ok"
