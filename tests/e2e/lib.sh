# Helpers for the end-to-end tests: the shipped binary in a real X window under Xvfb, driven
# with real key presses and watched through screenshots. Sourced by each *_test.sh, which sets
# game to the binary.
#
# Nothing waits a fixed time for the game. Every wait looks again and again for something the
# game shows (a window, a picture that changes, holds still or matches an earlier crop) and
# fails naming its step after $E2E_TIMEOUT seconds, which leaves room for a very loaded machine.
#
# The game pumps its key events and samples the keys once a frame, and menus, messages and
# talk act on the frame a key goes down: a key pressed and released between two frames is
# never seen, and a key held down acts once (the X server's auto-repeat reaches the game as
# more key-downs without key-ups). So a key is held until the picture shows that the game
# acted on it, and a key pressed twice in a row is released for a few frames in between.
#
# Xvfb now and then closes a connection it has just accepted, and every xdotool or import call
# is a new client: calls that must not be lost are repeated until one gets through, and a game
# that could not reach the server is started again.

# Fails the test, with what the game wrote to stderr.
fail() {
  echo "FAIL: $*" >&2
  cat "${work:-}"/*.err >&2 2>/dev/null
  exit 1
}

for tool in xdotool xwininfo xprop import compare convert; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
done

E2E_TIMEOUT=${E2E_TIMEOUT:-60}
# Without this SDL would quietly fall back to an invisible window when the connection fails.
export SDL_VIDEODRIVER=x11

# Regions of the 640 by 480 picture.
WHOLE=640x480+0+0
LOGO=640x120+0+0      # the title's logo
AREA_NAME=240x26+0+0  # the field's area name
BOTTOM=640x80+0+400   # the message window's lines, the portrait and the money bar
BAR=640x10+0+470      # the money bar; the message window's foot while a message shows
LINE1=480x16+140+394  # the message window's first line
LINE3=480x14+140+449  # the message window's third line
PAUSE_BOX=180x100+0+116     # the battle's pause box
COMMAND_MENU=130x210+0+120  # a party member's battle commands
AROUND_LEADER=120x120+260+180  # the leader and the cells round it, clear of the villagers
SYSTEM_MENU=150x180+0+118      # the field's system menu
SLOTS=300x180+20+120           # the save screen's slot list
SLOT2_TIME=240x22+52+171       # the second slot's time
SLOT2_SUMMARY=260x22+348+171   # the second slot's story, area and level
QUESTION=170x110+240+155       # the save screen's question
MESSAGE=150x28+245+180         # the save screen's message

work=$(mktemp -d)
pid=
trap 'if [ -n "$pid" ]; then kill -9 "$pid" 2>/dev/null; fi; rm -rf "$work"' EXIT

# Runs an X client until it gets through to the server (or has failed a few times).
x() {
  local tries
  for tries in 1 2 3 4 5; do
    "$@" && return 0
  done
  return 1
}

key_down() {
  x xdotool keydown "$1" || fail "could not press $1"
}

key_up() {
  x xdotool keyup "$1" || fail "could not release $1"
}

# Runs the check until it holds; fails naming the step when it has not in time.
wait_until() {
  local step=$1 deadline=$((SECONDS + E2E_TIMEOUT))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "$step (not within $E2E_TIMEOUT s)"
    sleep 0.05
  done
}

# Saves a region of the game window's picture (a PPM: quick to write and to read).
look() {
  x import -window "$win" -crop "$1" +repage "$2" 2>/dev/null
}

# True when two pictures have no pixel that differs by more than 1 %.
same() {
  [ "$(compare -metric AE -fuzz 1% "$1" "$2" null: 2>&1 | cut -d' ' -f1)" = 0 ]
}

region_is() {
  look "$1" "$work/now.ppm" && same "$work/now.ppm" "$2"
}

region_differs() {
  look "$1" "$work/now.ppm" && ! same "$work/now.ppm" "$2"
}

# One picture of the whole window, for checks on several regions of a single frame.
snapshot() {
  look "$WHOLE" "$work/shot.ppm"
}

# True when a region of the last snapshot matches a saved crop.
shot_has() {
  convert "$work/shot.ppm" -crop "$1" +repage "$work/crop.ppm" && same "$work/crop.ppm" "$2"
}

# True when a line of the message window holds letters: nearly white pixels, which the field
# seen through the window never has.
has_text() {
  look "$1" "$work/now.ppm" &&
    [ "$(convert "$work/now.ppm" -colorspace Gray -threshold 85% -format '%[fx:int(mean*w*h)]' \
      info:)" -gt 20 ]
}

window_not_black() {
  look "$WHOLE" "$work/now.ppm" &&
    [ "$(convert "$work/now.ppm" -colorspace Gray -format '%[fx:int(mean*1000)]' info:)" -gt 20 ]
}

game_ended() {
  ! kill -0 "$pid" 2>/dev/null
}

# Waits until the game has ended; fails unless its exit code is the expected one.
expect_exit() {
  local code
  wait_until "the game did not end after $2" game_ended
  wait "$pid"
  code=$?
  pid=
  [ "$code" = "$1" ] || fail "exit code $code after $2, not $1"
}

# Starts the game in the current folder, its stderr in $work/<name>.err, and waits until the
# check holds. A game that ends first, as one does whose connection (or whose message box's)
# the X server dropped, is started again, twice at most; one killed by a signal is a crash.
launch() {
  local name=$1 tries code
  shift
  for tries in 1 2 3; do
    "$game" 2>"$work/$name.err" &
    pid=$!
    wait_until "$name: the game neither came up nor ended" up_or_ended "$@"
    game_ended || return 0
    code=0
    wait "$pid" || code=$?
    pid=
    [ "$code" -lt 128 ] || fail "$name: the game crashed (exit code $code)"
  done
  fail "$name: the game ended before it came up"
}

up_or_ended() {
  "$@" || game_ended
}

find_game_window() {
  win=$(xdotool search --onlyvisible --class VORNHALT 2>/dev/null | head -n 1)
  [ -n "$win" ]
}

# Starts the game and waits for its window, which then gets the keyboard.
start_game() {
  launch "$1" find_game_window
  x xdotool windowfocus --sync "$win" || fail "could not focus the game window"
}

# Holds a key until the check holds.
hold_until() {
  local step=$1 key=$2
  shift 2
  key_down "$key"
  wait_until "$step" "$@"
  key_up "$key"
}

# Holds a key until the region's picture changes: the game has acted on the key.
press_until_change() {
  look "$3" "$work/before.ppm" || fail "$1 (no picture)"
  hold_until "$1" "$2" region_differs "$3" "$work/before.ppm"
}

# Waits until the window's picture has changed the given number of times, so that at least
# as many frames have been drawn since. The field always moves: the village's pond ripples.
frames_pass() {
  local step=$1 count=$2
  look "$WHOLE" "$work/frame.ppm" || fail "$step (no picture)"
  while [ "$count" -gt 0 ]; do
    wait_until "$step (the picture froze)" region_differs "$WHOLE" "$work/frame.ppm"
    mv "$work/now.ppm" "$work/frame.ppm"
    count=$((count - 1))
  done
}

# Presses a key again and again, each time held and then released for a few frames, until the
# check holds: for what works only once the party has walked to the right place.
tap_until() {
  local step=$1 key=$2 deadline=$((SECONDS + E2E_TIMEOUT))
  shift 2
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "$step (not within $E2E_TIMEOUT s)"
    key_down "$key"
    frames_pass "$step" 3
    key_up "$key"
    frames_pass "$step" 3
  done
}

# Waits until the region holds still while the picture elsewhere changes three times (the
# field's pond ripples on): a message has been revealed in full, the camera has stopped.
wait_until_still() {
  local step=$1 region=$2 changes=0 deadline=$((SECONDS + E2E_TIMEOUT))
  look "$region" "$work/still.ppm" && look "$WHOLE" "$work/frame.ppm" || fail "$step (no picture)"
  while [ "$changes" -lt 3 ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "$step (never held still within $E2E_TIMEOUT s)"
    if ! look "$region" "$work/now.ppm"; then
      continue
    elif ! same "$work/now.ppm" "$work/still.ppm"; then
      mv "$work/now.ppm" "$work/still.ppm"
      changes=0
    elif region_differs "$WHOLE" "$work/frame.ppm"; then
      mv "$work/now.ppm" "$work/frame.ppm"
      changes=$((changes + 1))
    fi
  done
}

# Waits until a message window has opened and its message is revealed in full.
wait_for_message() {
  wait_until "$1" has_text "$LINE1"
  wait_until_still "$1" "$BOTTOM"
}

# Presses Return on a message that holds still until the check holds. Each press comes once
# the message holds still, so it either shows the rest of a message at once or goes on to
# what follows.
advance_message() {
  local step=$1 presses=0
  shift
  until "$@"; do
    [ "$presses" -lt 3 ] || fail "$step"
    press_until_change "$step" Return "$BOTTOM"
    presses=$((presses + 1))
    wait_until_still "$step" "$BOTTOM"
  done
}
